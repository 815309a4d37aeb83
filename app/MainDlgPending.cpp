// Members of the main window whose work is still to be written; each does nothing yet.
#include "app/CMainDlg.h"

// OnRequestNewName
void CMainDlg::OnRequestNewName() {}

// ServerCall
std::string CMainDlg::ServerCall(std::string)
{
    return std::string();
}

// XmlValue
std::string CMainDlg::XmlValue(std::string, std::string, std::string, std::string)
{
    return "Value not found.";
}

// DownloadFile
bool CMainDlg::DownloadFile(std::string, std::string)
{
    return false;
}
