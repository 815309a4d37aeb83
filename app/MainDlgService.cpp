// CMainDlg's service members, on the window's service client.
#include "app/CMainDlg.h"

std::string CMainDlg::ServerCall(std::string request)
{
    return m_client.ServerCall(request);
}

std::string CMainDlg::XmlValue(std::string text, std::string tagName, std::string operation,
                               std::string newValue)
{
    return service::CServiceClient::XmlValue(text, tagName, operation, newValue);
}

bool CMainDlg::DownloadFile(std::string address, std::string localPath)
{
    return m_client.DownloadFile(address, localPath);
}

void CMainDlg::ShowOutcome(const namelist::CommandOutcome& outcome)
{
    if (!outcome.text.empty())
        MessageBox(outcome.text, outcome.caption, MB_OK);
}
