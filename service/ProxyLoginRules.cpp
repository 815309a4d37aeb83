// Emptiness after trimming, then length, password first.
#include "service/ProxyLoginRules.h"

#include "service/ServiceTexts.h"

namespace service {
namespace {

constexpr std::size_t kMaxCredentialLength = 255;

bool BlankAfterTrim(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n\v\f") == std::string::npos;
}

} // namespace

const char* ProxyLoginProblem(const std::string& password, const std::string& user)
{
    if (BlankAfterTrim(password))
        return kEnterPassword;
    if (BlankAfterTrim(user))
        return kEnterUsername;
    if (password.size() > kMaxCredentialLength)
        return kPasswordTooLong;
    if (user.size() > kMaxCredentialLength)
        return kUsernameTooLong;
    return nullptr;
}

} // namespace service
