// Shared pieces of the service client tests: a recording UI, service reply bodies.
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "service/ServiceUi.h"
#include "tests/support/InternetSettingsFile.h"
#include "tests/support/ScratchPrefix.h"

struct ShownBox
{
    std::string text;
    std::string caption; // "" for the application's name
    bool exclamation;
    bool operator==(const ShownBox&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const ShownBox& box)
{
    return os << "[" << box.text << " | " << box.caption << (box.exclamation ? " | !" : "") << "]";
}

// Records boxes and notices; answers the proxy login from a queue of prepared answers (nullopt: Cancel).
class RecordingUi : public service::IServiceUi
{
public:
    struct Login
    {
        std::string user;
        std::string password;
    };

    void ShowMessage(const std::string& text, const char* caption, bool exclamation) override
    {
        boxes.push_back(ShownBox{text, caption ? caption : "", exclamation});
        events.push_back("box");
    }

    bool AskProxyCredentials(std::string& user, std::string& password) override
    {
        ++loginsAsked;
        events.push_back("login");
        if (logins.empty() || !logins.front()) {
            if (!logins.empty())
                logins.erase(logins.begin());
            return false;
        }
        user = logins.front()->user;
        password = logins.front()->password;
        logins.erase(logins.begin());
        return true;
    }

    void ShowNotice(const std::string& text) override { events.push_back("notice:" + text); }
    void HideNotice() override { events.push_back("notice off"); }

    std::vector<ShownBox> boxes;
    std::vector<std::string> events;
    std::vector<std::optional<Login>> logins;
    int loginsAsked = 0;
};

// The body the service sends: the reply text escaped inside the string element of an XML document.
inline std::string ServiceReplyBody(const std::string& inner)
{
    std::string escaped;
    for (char c : "<OLVServerCall a>" + inner + "</OLVServerCall>") {
        if (c == '<')
            escaped += "&lt;";
        else if (c == '>')
            escaped += "&gt;";
        else
            escaped += c;
    }
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<string xmlns=\"urn:olv\">" + escaped + "</string>";
}
