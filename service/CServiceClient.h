// The web service as one object: its host, the run's proxy login and the user interface it talks through.
#pragma once

#include <string>

#include "service/ServiceUi.h"

namespace service {

// The front ends own one client for their run (the main window, the console) and give it their own
// IServiceUi. The proxy login belongs to the owner, which keeps it for the whole run: the client fills it
// at the first 407 and sends it after every later one.
class CServiceClient
{
public:
    CServiceClient(std::string hostAndPort, std::string& proxyUser, std::string& proxyPassword,
                   IServiceUi& ui);

    const std::string& HostAndPort() const { return m_hostAndPort; }
    IServiceUi& Ui() { return m_ui; }

    // One exchange; the decoded reply text, or "" after the failure has been told (a cancelled
    // login silently). A session that cannot be created travels out as CInternetException.
    std::string ServerCall(const std::string& request);

    // The content of a reply's element, or the whole text with it replaced (XmlText.h).
    static std::string XmlValue(const std::string& text, const std::string& tagName,
                                const std::string& operation, const std::string& newValue);

    // Downloads the package at address into localPath (PackageDownload.h). False for a network
    // failure or an error status, shown by the caller; a local file error has been shown here.
    bool DownloadFile(const std::string& address, const std::string& localPath);
    // The same into a temporary of ours that stands for the user's shownPath, which its box names.
    bool DownloadFile(const std::string& address, const std::string& localPath, const std::string& shownPath);

    // The request-new-name exchange under its notice (NameRequestCall.h); true once the service has
    // taken the request and its answer has been shown.
    bool SendNameRequest(const std::string& request);

private:
    std::string m_hostAndPort;
    std::string& m_proxyUser;
    std::string& m_proxyPassword;
    IServiceUi& m_ui;
};

} // namespace service
