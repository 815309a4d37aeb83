// cpp-httplib wiring: routing, the thread pool, package files and one log line per request.
#include "server/CServiceServer.h"

#include <httplib.h>

#include <fstream>

#include "server/CRequestStore.h"
#include "server/CServiceHttp.h"
#include "server/UrlCodec.h"

namespace {

const std::string kServicePath = "/olvwebservice/default.asmx/ProcessReq";
const std::string kEnvelopeKey = "clientXMLString=";

// The operation and outcome of the request being handled on this thread, for its log line; the
// library calls the logger on the thread that ran the handler.
struct RequestNote
{
    std::string operation;
    std::string rc;
    std::string note;
};
thread_local RequestNote t_note;

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
        if (x != y)
            return false;
    }
    return true;
}

// A Host header is trusted into package addresses only when it is a plain host[:port].
bool IsPlainHost(const std::string& host)
{
    if (host.empty() || host.size() > 255)
        return false;
    for (char c : host)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
              c == '-' || c == ':' || c == '[' || c == ']'))
            return false;
    return true;
}

// Paths in the log keep to one printable line.
std::string Printable(std::string_view text, size_t limit, bool keepBlanks = false)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : text.substr(0, limit)) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c >= 0x7f || (c == ' ' && !keepBlanks)) {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 15];
        } else {
            out += ch;
        }
    }
    if (text.size() > limit)
        out += "...";
    return out;
}

} // namespace

CServiceServer::CServiceServer(ServerSettings settings, const CCatalog& catalog, CServiceHandler& handler,
                               std::FILE* log)
    : m_settings(std::move(settings)), m_catalog(catalog), m_handler(handler), m_log(log),
      m_server(std::make_unique<CServiceHttp>())
{
    const int threads = m_settings.threads > 0 ? m_settings.threads : 1;
    m_server->new_task_queue = [threads] { return new httplib::ThreadPool(static_cast<size_t>(threads)); };
    m_server->set_read_timeout(10);
    m_server->set_write_timeout(30);
    // A kept-alive connection holds a worker until it closes, so idle ones are let go quickly.
    m_server->set_keep_alive_timeout(2);
    m_server->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        Route(request, response);
    });
    m_server->set_logger([this](const httplib::Request& request, const httplib::Response& response) {
        LogLine(request, response);
    });
}

CServiceServer::~CServiceServer() = default;

int CServiceServer::Bind()
{
    if (m_settings.port == 0) {
        m_boundPort = m_server->bind_to_any_port(m_settings.host);
    } else {
        m_boundPort = m_server->bind_to_port(m_settings.host, m_settings.port) ? m_settings.port : -1;
    }
    return m_boundPort < 0 ? -1 : m_boundPort;
}

bool CServiceServer::Run()
{
    {
        std::lock_guard<std::mutex> lock(m_runMutex);
        if (m_stopRequested)
            return true;
        m_running = true;
    }
    const bool ok = m_server->listen_after_bind();
    {
        std::lock_guard<std::mutex> lock(m_runMutex);
        m_running = false;
    }
    m_runChanged.notify_all();
    return ok;
}

void CServiceServer::Stop()
{
    std::unique_lock<std::mutex> lock(m_runMutex);
    if (m_stopRequested)
        return;
    m_stopRequested = true;
    // The library ignores a stop that comes before its loop has started, so wait for the loop;
    // it starts right after Run has marked itself running.
    while (m_running && !m_server->is_running())
        m_runChanged.wait_for(lock, std::chrono::milliseconds(5));
    if (m_running)
        m_server->stop();
}

std::string CServiceServer::Address() const
{
    const bool v6 = m_settings.host.find(':') != std::string::npos;
    return (v6 ? "[" + m_settings.host + "]" : m_settings.host) + ":" + std::to_string(m_boundPort);
}

bool CServiceServer::ExtractEnvelope(const std::string& target, std::string& envelope)
{
    const size_t query = target.find('?');
    if (query == std::string::npos)
        return false;
    size_t key = query + 1;
    while (key < target.size() && target.compare(key, kEnvelopeKey.size(), kEnvelopeKey) != 0) {
        key = target.find('&', key);
        if (key == std::string::npos)
            return false;
        ++key;
    }
    if (key >= target.size())
        return false;
    // Not split at "&" and no "+" rule: the envelope carries values exactly as they were typed.
    envelope = urlcodec::PercentDecode(std::string_view(target).substr(key + kEnvelopeKey.size()));
    return true;
}

void CServiceServer::Route(const httplib::Request& request, httplib::Response& response)
{
    const std::string& target = request.target;
    const std::string rawPath = target.substr(0, target.find('?'));
    if (EqualsIgnoringAsciiCase(rawPath, kServicePath)) {
        ServiceRequest(request, response);
    } else if (rawPath.starts_with(CServiceHandler::kPackagePath)) {
        PackageRequest(rawPath, response);
    } else {
        response.status = 404;
        response.set_content("Not found.\r\n", "text/plain");
    }
}

void CServiceServer::ServiceRequest(const httplib::Request& request, httplib::Response& response)
{
    std::string envelope;
    if (!ExtractEnvelope(request.target, envelope)) {
        response.status = 400;
        response.set_content("Missing parameter: clientXMLString.\r\n", "text/plain");
        return;
    }
    if (envelope.size() > CServiceHandler::kMaxEnvelopeBytes) {
        response.status = 400;
        response.set_content("Request too long.\r\n", "text/plain");
        return;
    }
    ServiceCall call = m_handler.Process(envelope, request.remote_addr, PackageHost(request));
    t_note.operation = call.operation.empty() ? "-" : Printable(call.operation, 40);
    t_note.rc = StatusCode(call.status);
    t_note.note = call.note;
    std::shared_ptr<const std::string> document = call.document;
    response.set_content_provider(document->size(), "text/xml; charset=utf-8",
                                  [document](size_t offset, size_t length, httplib::DataSink& sink) {
                                      return sink.write(document->data() + offset, length);
                                  });
}

void CServiceServer::PackageRequest(const std::string& rawPath, httplib::Response& response)
{
    const std::string file = urlcodec::PercentDecode(rawPath.substr(CServiceHandler::kPackagePath.size()));
    std::filesystem::path path;
    if (file.ends_with(".zip"))
        path = m_catalog.FindPackage(file.substr(0, file.size() - 4));
    auto stream = path.empty() ? nullptr : std::make_shared<std::ifstream>(path, std::ios::binary);
    std::error_code ec;
    const auto size = path.empty() ? 0 : std::filesystem::file_size(path, ec);
    if (!stream || !*stream || ec) {
        response.status = 404;
        response.set_content("No such package.\r\n", "text/plain");
        return;
    }
    response.set_content_provider(
        static_cast<size_t>(size), "application/zip",
        [stream](size_t offset, size_t length, httplib::DataSink& sink) {
            char buffer[64 * 1024];
            stream->clear();
            stream->seekg(static_cast<std::streamoff>(offset));
            stream->read(buffer, static_cast<std::streamsize>(std::min(length, sizeof buffer)));
            const std::streamsize got = stream->gcount();
            return got > 0 && sink.write(buffer, static_cast<size_t>(got));
        });
}

std::string CServiceServer::PackageHost(const httplib::Request& request) const
{
    if (!m_settings.publicHost.empty())
        return m_settings.publicHost;
    const std::string host = request.get_header_value("Host");
    return IsPlainHost(host) ? host : Address();
}

void CServiceServer::LogLine(const httplib::Request& request, const httplib::Response& response)
{
    const std::string path = request.target.substr(0, request.target.find('?'));
    const size_t bytes = response.body.empty() ? response.content_length_ : response.body.size();
    std::string line = CRequestStore::Now() + " " +
                       (request.remote_addr.empty() ? "-" : request.remote_addr) + " " +
                       (request.method.empty() ? "-" : Printable(request.method, 16)) + " " +
                       (path.empty() ? "-" : Printable(path, 200)) + " " + std::to_string(response.status) +
                       " " + std::to_string(bytes);
    if (!t_note.rc.empty())
        line += " " + t_note.operation + " rc=" + t_note.rc;
    if (!t_note.note.empty())
        line += " (" + Printable(t_note.note, 300, true) + ")";
    line += "\n";
    t_note = RequestNote();
    if (!m_log)
        return;
    std::lock_guard<std::mutex> lock(m_logMutex);
    std::fwrite(line.data(), 1, line.size(), m_log);
    std::fflush(m_log);
}
