// CMainDlg's service call and XmlValue, on the service client library.
#include "app/CMainDlg.h"
#include "service/CServiceTransport.h"
#include "service/MainDlgServiceUi.h"
#include "service/XmlText.h"

std::string CMainDlg::ServerCall(std::string request)
{
    CMainDlgServiceUi ui(*this);
    service::CServiceTransport transport(ServiceHostAndPort(), m_strProxyUser, m_strProxyPassword, ui);
    service::ServiceOutcome outcome = transport.Exchange(request);
    return outcome.kind == service::ServiceOutcome::Kind::Reply ? std::move(outcome.replyText)
                                                                : std::string();
}

std::string CMainDlg::XmlValue(std::string text, std::string tagName, std::string operation,
                               std::string newValue)
{
    return service::XmlValue(text, tagName, operation, newValue);
}
