// CMainDlg: "Download and Save Name" into the transfer archive, and the copy of the program on closing.
#include "app/CMainDlg.h"

#include "app/CNoticeScope.h"
#include "names/CTransferArchive.h"
#include "names/DownloadedPackage.h"
#include "platform/fs/CFileException.h"
#include "platform/fs/CTempFile.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/ModulePath.h"
#include "platform/media/MCIWnd.h"
#include "service/MainDlgServiceUi.h"
#include "service/PackageDownload.h"

namespace {

// The service client's boxes with the archive named in place of the temporary the package is downloaded
// into: that file is ours, the user asked for the archive.
class CArchiveNamingUi : public service::IServiceUi
{
public:
    CArchiveNamingUi(service::IServiceUi& inner, std::string temporary, std::string archive)
        : m_inner(inner), m_strTemporary(std::move(temporary)), m_strArchive(std::move(archive))
    {
    }
    void ShowMessage(const std::string& text, const char* caption, bool exclamation) override
    {
        std::string shown = text;
        for (size_t at = shown.find(m_strTemporary); !m_strTemporary.empty() && at != std::string::npos;
             at = shown.find(m_strTemporary, at + m_strArchive.size()))
            shown.replace(at, m_strTemporary.size(), m_strArchive);
        m_inner.ShowMessage(shown, caption, exclamation);
    }
    bool AskProxyCredentials(std::string& user, std::string& password) override
    {
        return m_inner.AskProxyCredentials(user, password);
    }
    void ShowNotice(const std::string& text) override { m_inner.ShowNotice(text); }
    void HideNotice() override { m_inner.HideNotice(); }

private:
    service::IServiceUi& m_inner;
    std::string m_strTemporary;
    std::string m_strArchive;
};

} // namespace

void CMainDlg::OnDownloadSave()
{
    UpdateData(TRUE);
    if (m_strSearchText.empty()) {
        MessageBox("Please specify a name before attempting to download.", "No Name Given", MB_OK);
        return;
    }
    // Down once the command has ended, also when an error leaves it for the command dispatcher; the boxes
    // of the command show while it is up.
    CNoticeScope notice(m_notice, "Downloading name, please wait...");
    MatchListedName();
    if (m_strSelectedName.empty())
        return;
    const std::string url = RequestPackageUrl();

    CTransferArchive transfer(m_editSaveLocation.GetWindowText());
    transfer.RemoveStaleTemporaries();
    // The package goes to a temporary beside the archive, never into the archive's place or into a
    // staging folder: a download cut short, a package that does not read or a save that is killed
    // leaves the archive as it was and nothing of its files for the next save to pick up.
    CTempFile package;
    if (!package.Create(transfer.GetPath()))
        throw CFileException::FromLastOsError(transfer.GetPath());
    CMainDlgServiceUi dialogUi(*this);
    CArchiveNamingUi ui(dialogUi, package.GetPath(), transfer.GetPath());
    bool saved = service::DownloadPackage(url, package.GetPath(), ui).ok;
    if (saved) {
        const std::string damaged =
            namelist::WithDownloadedPackage(m_strSelectedName, package.GetPath(), [&] {
                if (!transfer.Exists())
                    transfer.AdoptPackage(package);
                else
                    saved = transfer.AddPackage(package.GetPath());
            });
        if (!damaged.empty()) {
            MessageBox(damaged, "Failure", MB_OK);
            return;
        }
    }

    if (!saved) {
        MessageBox("Unable to download name files.", "Failure", MB_OK);
        return;
    }
    m_bSavedForTransfer = true;
    MessageBox("Name files downloaded.", "Success", MB_OK);
    m_strLastName = m_strSelectedName;
}

void CMainDlg::OnCancel()
{
    if (!m_bWebScenario && m_bSavedForTransfer) {
        const std::string module = ModuleFileName();
        const std::string fileName = module.substr(module.rfind('\\') + 1);
        CopyFile(module, m_editSaveLocation.GetWindowText() + fileName, true);
        MessageBox(
            "Now take this program, along with the \"VMRNames.zip\" file (both will be found in your save "
            "location), to your computer with the Velmora to complete the installation process.",
            "Instructions", MB_OK);
    }
    // The players of this window end with it.
    MCIWndDestroyChildren(GetSafeHwnd());
    CDialog::OnCancel();
}
