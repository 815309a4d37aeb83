// CMainDlg: "Download and Install Name", and the two steps the save command shares with it.
#include "app/CMainDlg.h"

#include "app/CNoticeScope.h"
#include "names/NameOrder.h"
#include "locator/VelmoraSearch.h"
#include "names/CNamePackage.h"
#include "names/DownloadedPackage.h"
#include "platform/fs/CFileException.h"
#include "platform/fs/CTempFile.h"
#include "platform/fs/FileSystem.h"
#include "service/ServiceRequest.h"
#include "platform/ui/CDataExchange.h"

namespace {

const char* const kNameNotFound =
    "The name you have typed is not in the list of recorded names.  Please either select a name from the "
    "list, or request that the name be recorded for you by clicking the \"Request New Name\" button below.";

// Where the downloaded package waits to be unpacked: Temp.zip in the program's own folder, or, when that
// folder takes no new files (a copy installed for all users), a file of its own in the user's temporary
// folder, made exclusively under a unique name so that no other user's or instance's file is ever
// written or followed. Temporaries that a killed install left there are removed first.
std::string TemporaryPackagePath(const std::string& moduleFolder, CTempFile& temporary)
{
    const std::string preferred = moduleFolder + "Temp.zip";
    if (temporary.Create(preferred)) {
        temporary.Remove();
        return preferred;
    }
    const std::string shared = GetTempFolder() + "Temp.zip";
    RemoveStaleTempFiles({shared});
    if (!temporary.Create(shared))
        throw CFileException::FromLastOsError(shared);
    return temporary.GetPath();
}

} // namespace

void CMainDlg::OnInstall()
{
    // Up before anything else happens, and down once the command has ended, also when an error leaves it
    // for the command dispatcher; the boxes of the command show while it is up.
    CNoticeScope notice(m_notice, "Installing name, please wait...");
    UpdateData(TRUE);
    if (!m_bWebScenario) {
        InstallSavedNames();
        return;
    }

    if (m_strSearchText.empty()) {
        MessageBox("Please specify a name before attempting to download.", "No Name Given", MB_OK);
        return;
    }
    MatchListedName();
    if (m_strSelectedName.empty())
        return;
    // Nothing is downloaded for a names folder that will refuse it (Velmora under Program Files, a
    // standard user).
    const std::string namesFolder = velmora::NamesFolder(m_editVelmoraLocation.GetWindowText());
    if (!NamesFolderTakesFiles(namesFolder))
        return;
    const std::string url = RequestPackageUrl();

    CTempFile temporary; // removed on every way out when the package is not in the program's folder
    const std::string package = TemporaryPackagePath(m_strModuleFolder, temporary);
    if (!DownloadFile(url, package)) {
        DeleteFile(package); // a failed download leaves nothing behind
        MessageBox("Unable to download name files.", "Failure", MB_OK);
        return;
    }

    // When unpacking fails a Temp.zip in the program's folder stays for a look; one in the temporary folder
    // goes with its object.
    const std::string damaged = namelist::WithDownloadedPackage(
        m_strSelectedName, package, [&] { CNamePackage::ExtractAll(package, namesFolder); });
    if (!damaged.empty()) {
        MessageBox(damaged, "Failure", MB_OK);
        return;
    }
    DeleteFile(package);

    MessageBox("Name files installed.", "Success", MB_OK);
    m_strLastName = m_strSelectedName;
    m_bSavedForTransfer = false;
}

bool CMainDlg::NamesFolderTakesFiles(const std::string& namesFolder)
{
    if (CanCreateFilesIn(namesFolder))
        return true;
    const CFileException refused = CFileException::FromLastOsError(namesFolder);
    if (refused.m_cause != CFileException::accessDenied)
        throw refused;
    MessageBox("You may not change the names folder " + namesFolder +
                   ".  Start Zentrimo again as an administrator and install the name once more.",
               "Access Denied", MB_OK);
    return false;
}

void CMainDlg::MatchListedName()
{
    if (m_nameList.empty()) {
        MessageBox(kNameNotFound, "Name Not Found", MB_OK);
        return;
    }
    bool found = false;
    // Every equal name is taken, so of two that differ only in case the later one wins.
    for (const std::string& name : m_nameList) {
        if (namelist::EqualsFolded(name, m_strSearchText)) {
            m_strSelectedName = name;
            found = true;
        }
    }
    if (!found)
        MessageBox(kNameNotFound, "Name Not Found", MB_OK);
}

std::string CMainDlg::RequestPackageUrl()
{
    return XmlValue(ServerCall(service::DLRequest(m_strSelectedName)), "url", "Read", std::string());
}
