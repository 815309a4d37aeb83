// The package download: split the address, fetch through the user's proxy choice, copy in 50-byte pieces.
#include "service/PackageDownload.h"

#include <memory>

#include "platform/fs/CFile.h"
#include "platform/inet/CInternetException.h"
#include "platform/inet/CInternetSession.h"
#include "service/InternetSettingsKey.h"
#include "service/ServiceRequest.h"
#include "service/ServiceTexts.h"
#include "service/ShownPath.h"

namespace service {
namespace {

// How often a download tells its progress: a terminal line redrawn per 50-byte piece would cost more
// than the piece.
constexpr std::uint64_t kProgressStep = 16 * 1024;

// Collects the 50-byte pieces and hands them to the file in large writes: one system call per piece
// would dominate the download. Write errors surface at the write that flushes, as CFileException.
class GatheredWriter
{
public:
    explicit GatheredWriter(CFile& file) : m_file(file) { m_buffer.reserve(kCapacity); }

    void Write(const char* data, UINT count)
    {
        if (m_buffer.size() + count > kCapacity)
            Flush();
        m_buffer.append(data, count);
    }

    void Flush()
    {
        if (!m_buffer.empty())
            m_file.Write(m_buffer.data(), static_cast<unsigned>(m_buffer.size()));
        m_buffer.clear();
    }

private:
    static constexpr std::size_t kCapacity = 64 * 1024;
    CFile& m_file;
    std::string m_buffer;
};

// The box names shownPath where the error names the local file.
void ReportFileError(IServiceUi& ui, CFileException error, const std::string& localPath,
                     const std::string& shownPath)
{
    error.m_strFileName = ShownPath(error.m_strFileName, localPath, shownPath);
    const std::string caption = "File Error #" + std::to_string(error.m_lOsError);
    ui.ShowMessage(error.GetErrorMessage(), caption.c_str(), false);
}

} // namespace

PackageAddress SplitPackageAddress(const std::string& address)
{
    const std::size_t first = address.find('/');
    if (first == std::string::npos)
        return PackageAddress{std::string(), address};
    const std::size_t second = address.find('/', first + 1);
    const std::size_t objectStart = (second == std::string::npos ? first : second) + 1;
    return PackageAddress{address.substr(0, first), address.substr(objectStart)};
}

DownloadResult DownloadPackage(const std::string& address, const std::string& localPath, IServiceUi& ui,
                               DWORD receiveTimeoutMs)
{
    return DownloadPackage(address, localPath, localPath, ui, receiveTimeoutMs);
}

DownloadResult DownloadPackage(const std::string& address, const std::string& localPath,
                               const std::string& shownPath, IServiceUi& ui, DWORD receiveTimeoutMs)
{
    const PackageAddress where = SplitPackageAddress(address);
    CInternetSettingsKey key;
    std::unique_ptr<CInternetSession> session;
    if (key.ProxyEnable() == 1)
        session = std::make_unique<CInternetSession>(nullptr, 1, INTERNET_OPEN_TYPE_PROXY,
                                                     key.ProxyServer().c_str(), nullptr);
    else
        session = std::make_unique<CInternetSession>(nullptr, 1, INTERNET_OPEN_TYPE_PRECONFIG);
    session->SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, receiveTimeoutMs);

    std::unique_ptr<CHttpConnection> connection;
    std::unique_ptr<CHttpFile> request;
    DWORD status = HTTP_STATUS_OK;
    try {
        connection = session->GetHttpConnection(where.host, INTERNET_INVALID_PORT_NUMBER);
        request = connection->OpenRequest("GET", where.object, nullptr, 1, nullptr, nullptr,
                                          INTERNET_FLAG_EXISTING_CONNECT);
        request->SendRequest();
        request->QueryInfoStatusCode(status);
    } catch (const CInternetException& e) {
        return DownloadResult{false, FormatNumber(kOpenRequestFailed, e.m_dwError)};
    }
    if (status != HTTP_STATUS_OK)
        return DownloadResult{false, FormatNumber(kWebProcessingError, status)};

    // Others may read but not write while the package arrives; an exclusive open would also shut out the
    // lock this program holds on a temporary it downloads into (Windows enforces share modes).
    CFile file;
    CFileException openError;
    if (!file.Open(localPath, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite, &openError)) {
        ReportFileError(ui, openError, localPath, shownPath);
        return DownloadResult{};
    }
    GatheredWriter writer(file);
    try {
        char buffer[50];
        std::uint64_t received = 0, told = 0;
        while (const UINT n = request->Read(buffer, sizeof buffer)) {
            writer.Write(buffer, n);
            received += n;
            if (received - told >= kProgressStep) {
                ui.ShowDownloadProgress(received);
                told = received;
            }
        }
        writer.Flush();
        ui.ShowDownloadProgress(received);
        request->Close();
        file.Close();
    } catch (const CInternetException& e) {
        // What arrived before the failure stays in the file, as far as it can be written.
        try {
            writer.Flush();
        } catch (const CFileException&) {
        }
        file.Abort();
        return DownloadResult{false, FormatNumber(kDownloadError, e.m_dwError)};
    } catch (const CFileException& e) {
        file.Abort();
        ReportFileError(ui, e, localPath, shownPath);
        return DownloadResult{};
    }
    return DownloadResult{true, {}};
}

} // namespace service
