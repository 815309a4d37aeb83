// The seam through which the service client talks to the user: boxes, the proxy login, a notice.
#pragma once

#include <cstdint>
#include <string>

namespace service {

// The main window implements this on the dialog layer; tests implement it to record and answer.
class IServiceUi
{
public:
    virtual ~IServiceUi() = default;

    // A modal box with one OK button owned by the main window. caption nullptr: the application's name.
    virtual void ShowMessage(const std::string& text, const char* caption, bool exclamation) = 0;

    // Runs the proxy login dialog; true with the texts as typed when it ended with OK.
    virtual bool AskProxyCredentials(std::string& user, std::string& password) = 0;

    // A "please wait" notice shown for the length of an operation.
    virtual void ShowNotice(const std::string& text) = 0;
    virtual void HideNotice() = 0;

    // The bytes of a package received so far, now and then while it arrives; the window shows none.
    virtual void ShowDownloadProgress(std::uint64_t /*received*/) {}
};

} // namespace service
