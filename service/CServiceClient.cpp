// The service client's operations on the transport, the reply reader and the package download.
#include "service/CServiceClient.h"

#include "service/CServiceTransport.h"
#include "service/NameRequestCall.h"
#include "service/PackageDownload.h"
#include "service/XmlText.h"

namespace service {

CServiceClient::CServiceClient(std::string hostAndPort, std::string& proxyUser, std::string& proxyPassword,
                               IServiceUi& ui)
    : m_hostAndPort(std::move(hostAndPort)), m_proxyUser(proxyUser), m_proxyPassword(proxyPassword), m_ui(ui)
{
}

std::string CServiceClient::ServerCall(const std::string& request)
{
    CServiceTransport transport(m_hostAndPort, m_proxyUser, m_proxyPassword, m_ui);
    ServiceOutcome outcome = transport.Exchange(request);
    return outcome.kind == ServiceOutcome::Kind::Reply ? std::move(outcome.replyText) : std::string();
}

std::string CServiceClient::XmlValue(const std::string& text, const std::string& tagName,
                                     const std::string& operation, const std::string& newValue)
{
    return service::XmlValue(text, tagName, operation, newValue);
}

bool CServiceClient::DownloadFile(const std::string& address, const std::string& localPath)
{
    return DownloadPackage(address, localPath, m_ui).ok;
}

bool CServiceClient::DownloadFile(const std::string& address, const std::string& localPath,
                                  const std::string& shownPath)
{
    return DownloadPackage(address, localPath, shownPath, m_ui).ok;
}

bool CServiceClient::SendNameRequest(const std::string& request)
{
    CServiceTransport transport(m_hostAndPort, m_proxyUser, m_proxyPassword, m_ui);
    return service::SendNameRequest(transport, m_ui, request);
}

} // namespace service
