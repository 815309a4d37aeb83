// CMainDlg: "Download and Install Name", and the two steps the save command shares with it.
#include "app/CMainDlg.h"

#include <filesystem>

#include "app/CNoticeScope.h"
#include "names/MainDlgInstallSaved.h"
#include "names/NameOrder.h"
#include "names/dialogs/CNamePackage.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/WinPath.h"
#include "platform/ui/CDataExchange.h"

namespace {

const char* const kNameNotFound =
    "The name you have typed is not in the list of recorded names.  Please either select a name from the "
    "list, or request that the name be recorded for you by clicking the \"Request New Name\" button below.";

// Where the downloaded package waits to be unpacked: the program's own folder, or the user's temporary
// folder when the program's folder takes no new files (a copy installed for all users).
std::string TemporaryPackagePath(const std::string& moduleFolder)
{
    const std::string preferred = moduleFolder + "Temp.zip";
    std::string probe;
    if (CreateTempFileBeside(preferred, probe))
    {
        DeleteFile(probe);
        return preferred;
    }
    std::string temp = winpath::ToWindows(std::filesystem::temp_directory_path());
    if (temp.empty() || temp.back() != '\\')
        temp += '\\';
    return temp + "Temp.zip";
}

} // namespace

void CMainDlg::OnInstall()
{
    // Up before anything else happens, and down once the command has ended, also when an error leaves it
    // for the command dispatcher; the boxes of the command show while it is up.
    CNoticeScope notice(m_notice, "Installing name, please wait...");
    UpdateData(TRUE);
    if (!m_bWebScenario)
    {
        InstallSavedNames(*this);
        return;
    }

    if (m_strSearchText.empty())
    {
        MessageBox("Please specify a name before attempting to download.", "No Name Given", MB_OK);
        return;
    }
    MatchListedName();
    if (m_strSelectedName.empty())
        return;
    const std::string url = RequestPackageUrl();

    const std::string package = TemporaryPackagePath(m_strModuleFolder);
    const std::string namesFolder = m_editVelmoraLocation.GetWindowText() + "\\Speakers\\Ysmerel\\Names";
    if (!DownloadFile(url, package))
    {
        DeleteFile(package); // a failed download leaves nothing behind
        MessageBox("Unable to download name files.", "Failure", MB_OK);
        return;
    }

    // When unpacking fails the package stays for a look.
    CNamePackage::ExtractAll(package, namesFolder);
    DeleteFile(package);

    MessageBox("Name files installed.", "Success", MB_OK);
    m_strLastName = m_strSelectedName;
    m_bSavedForTransfer = false;
}

void CMainDlg::MatchListedName()
{
    if (m_nameList.empty())
    {
        MessageBox(kNameNotFound, "Name Not Found", MB_OK);
        return;
    }
    bool found = false;
    // Every equal name is taken, so of two that differ only in case the later one wins.
    for (const std::string& name : m_nameList)
    {
        if (namelist::EqualsFolded(name, m_strSearchText))
        {
            m_strSelectedName = name;
            found = true;
        }
    }
    if (!found)
        MessageBox(kNameNotFound, "Name Not Found", MB_OK);
}

std::string CMainDlg::RequestPackageUrl()
{
    const std::string request = "ProcessReq?clientXMLString=<comver>1.0</comver><conmeth>direct</conmeth>"
                                "<prod>vmr</prod><op>DLRequest</op><type>name</type><packagename>" +
                                m_strSelectedName + "</packagename>";
    return XmlValue(ServerCall(request), "url", "Read", std::string());
}
