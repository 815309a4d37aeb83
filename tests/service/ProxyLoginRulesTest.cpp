// What the proxy login dialog accepts: emptiness after trimming, password first, the length limit.
#include "service/ProxyLoginRules.h"

#include <gtest/gtest.h>

namespace {

struct LoginCase
{
    const char* label;
    std::string password;
    std::string user;
    const char* expected; // nullptr: accepted
};

std::ostream& operator<<(std::ostream& os, const LoginCase& c)
{
    return os << c.label;
}

class LoginRules : public testing::TestWithParam<LoginCase>
{
};

TEST_P(LoginRules, GiveTheRightMessage)
{
    const char* got = service::ProxyLoginProblem(GetParam().password, GetParam().user);
    if (GetParam().expected == nullptr)
        EXPECT_EQ(got, nullptr) << GetParam().label << ": " << got;
    else
        EXPECT_STREQ(got, GetParam().expected) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoginRules,
    testing::Values(LoginCase{"both empty: password first", "", "", "Please enter a password."},
                    LoginCase{"password of blanks", " \t ", "u", "Please enter a password."},
                    LoginCase{"user of blanks", "p", "   ", "Please enter a username."},
                    LoginCase{"surrounding blanks are fine", " p ", "u ", nullptr},
                    LoginCase{"255 characters fit", std::string(255, 'p'), std::string(255, 'u'), nullptr},
                    LoginCase{"long password", std::string(256, 'p'), "u",
                              "The password is longer than 255 characters. Please enter a shorter one."},
                    LoginCase{"long user", "p", std::string(256, 'u'),
                              "The username is longer than 255 characters. Please enter a shorter one."},
                    LoginCase{"empty beats long", std::string(300, 'p'), "", "Please enter a username."}));

} // namespace
