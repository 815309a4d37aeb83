// The request-new-name exchange on the main window's transport settings and its own notice.
#include "service/MainDlgNameRequest.h"

#include "app/CMainDlg.h"
#include "service/MainDlgServiceUi.h"
#include "service/NameRequestCall.h"

bool SendNameRequest(CMainDlg& dialog, const std::string& request)
{
    CMainDlgServiceUi ui(dialog);
    service::CServiceTransport transport(dialog.ServiceHostAndPort(), dialog.m_strProxyUser,
                                         dialog.m_strProxyPassword, ui);
    return service::SendNameRequest(transport, ui, request);
}
