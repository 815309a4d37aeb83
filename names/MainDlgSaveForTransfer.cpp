// CMainDlg: "Download and Save Name" into the transfer archive, and the copy of the program on closing.
#include "app/CMainDlg.h"

#include "app/CNoticeScope.h"
#include "names/dialogs/CNamePackage.h"
#include "names/dialogs/CTransferArchive.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/ModulePath.h"
#include "platform/media/MCIWnd.h"

namespace {

// The download that becomes the first content of the transfer archive goes to a file beside it, so
// that a download cut short never stands in the archive's place.
bool DownloadBeside(CMainDlg& dlg, const std::string& url, const std::string& archive, std::string& package)
{
    if (!CreateTempFileBeside(archive, package))
        package = archive.substr(0, archive.rfind('\\') + 1) + "Temp.zip";
    if (dlg.DownloadFile(url, package))
        return true;
    DeleteFile(package);
    return false;
}

} // namespace

void CMainDlg::OnDownloadSave()
{
    UpdateData(TRUE);
    if (m_strSearchText.empty())
    {
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

    const std::string saveFolder = m_editSaveLocation.GetWindowText();
    CTransferArchive transfer(saveFolder);
    bool saved = false;
    if (!transfer.Exists())
    {
        std::string package;
        if (DownloadBeside(*this, url, transfer.GetPath(), package))
        {
            transfer.AdoptPackage(package);
            saved = true;
        }
    }
    else
    {
        const std::string package = saveFolder + "Temp.zip";
        const std::string staging = saveFolder + "Temp";
        if (DownloadFile(url, package))
        {
            CreateDirectory(staging);
            CNamePackage::ExtractAll(package, staging);
            saved = transfer.AddStagedFiles(staging);
            if (saved)
            {
                DeleteFile(package);
                RemoveDirectory(staging); // stays when the package had folders of its own
            }
        }
        else
        {
            DeleteFile(package);
        }
    }

    if (!saved)
    {
        MessageBox("Unable to download name files.", "Failure", MB_OK);
        return;
    }
    m_bSavedForTransfer = true;
    MessageBox("Name files downloaded.", "Success", MB_OK);
    m_strLastName = m_strSelectedName;
}

void CMainDlg::OnCancel()
{
    if (!m_bWebScenario && m_bSavedForTransfer)
    {
        const std::string module = ModuleFileName();
        const std::string fileName = module.substr(module.rfind('\\') + 1);
        CopyFile(module, m_editSaveLocation.GetWindowText() + fileName, true);
        MessageBox("Now take this program, along with the \"VMRNames.zip\" file (both will be found in your save "
                   "location), to your computer with the Velmora to complete the installation process.",
                   "Instructions", MB_OK);
    }
    // The players of this window end with it.
    MCIWndDestroyChildren(GetSafeHwnd());
    CDialog::OnCancel();
}
