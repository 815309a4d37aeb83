// CMainDlg's package download; network failures are left to the callers to report.
#include "app/CMainDlg.h"
#include "service/MainDlgServiceUi.h"
#include "service/PackageDownload.h"

bool CMainDlg::DownloadFile(std::string address, std::string localPath)
{
    CMainDlgServiceUi ui(*this);
    return service::DownloadPackage(address, localPath, ui).ok;
}
