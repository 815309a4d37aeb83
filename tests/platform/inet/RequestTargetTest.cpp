// The wire form of request targets, proxy list parsing and server name checks.
#include "platform/inet/RequestTarget.h"

#include <gtest/gtest.h>

namespace {

struct TextCase
{
    const char* label;
    std::string input;
    std::optional<std::string> expected;
};

std::ostream& operator<<(std::ostream& os, const TextCase& c)
{
    return os << c.label;
}

class EncodeTargetTest : public testing::TestWithParam<TextCase>
{
};

TEST_P(EncodeTargetTest, EscapesOnlyWhatCannotTravelRaw)
{
    EXPECT_EQ(inet::EncodeRequestTarget(GetParam().input), *GetParam().expected) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Table, EncodeTargetTest,
    testing::Values(TextCase{"plain path and query stay", "/a/b?x=1&y=2", "/a/b?x=1&y=2"},
                    TextCase{"space", "/a b", "/a%20b"}, TextCase{"hash and percent", "/a#b%c", "/a%23b%25c"},
                    TextCase{"angle brackets and quote", "?q=<x>\"", "?q=%3Cx%3E%22"},
                    TextCase{"backslash caret backtick braces bar", "\\^`{|}", "%5C%5E%60%7B%7C%7D"},
                    TextCase{"controls and DEL", std::string("\t\r\n\x7f", 4), "%09%0D%0A%7F"},
                    TextCase{"bytes above 0x7E", "\xc3\xa9", "%C3%A9"},
                    TextCase{"reserved characters stay", "/x?a=b&c=d+e;f:g@h!$'()*,[]~",
                             "/x?a=b&c=d+e;f:g@h!$'()*,[]~"},
                    TextCase{"dot segments stay", "/a/../b/./c", "/a/../b/./c"}));

class ProxyListTest : public testing::TestWithParam<TextCase>
{
};

TEST_P(ProxyListTest, FindsTheHttpProxy)
{
    EXPECT_EQ(inet::HttpProxyFromList(GetParam().input), GetParam().expected) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProxyListTest,
    testing::Values(TextCase{"host and port", "proxy.local:3128", "proxy.local:3128"},
                    TextCase{"no port means 80", "proxy.local", "proxy.local:80"},
                    TextCase{"per protocol", "ftp=f:21;http=h:8080;https=s:443", "h:8080"},
                    TextCase{"protocol name in capitals", "HTTP=h:1", "h:1"},
                    TextCase{"entry with scheme", "http=http://h:8080/", "h:8080"},
                    TextCase{"first of several entries", "a:1;b:2", "a:1"},
                    TextCase{"blank separated", "  a:1  b:2 ", "a:1"},
                    TextCase{"http entry beats a general one", "g:1;http=h:2", "h:2"},
                    TextCase{"per protocol without http", "https=s:443;ftp=f:21", std::nullopt},
                    TextCase{"empty", "", std::nullopt}, TextCase{"bad port", "h:99999", std::nullopt},
                    TextCase{"garbage host", "h/x:1", std::nullopt}));

class ServerAuthorityTest : public testing::TestWithParam<TextCase>
{
};

TEST_P(ServerAuthorityTest, ChecksTheServerText)
{
    EXPECT_EQ(inet::ServerAuthority(GetParam().input, 0), GetParam().expected) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(Table, ServerAuthorityTest,
                         testing::Values(TextCase{"address and port", "127.0.0.1:8642", "127.0.0.1:8642"},
                                         TextCase{"name alone", "example-host.test", "example-host.test:80"},
                                         TextCase{"bracketed v6", "[::1]:8080", "[::1]:8080"},
                                         TextCase{"bracketed v6 no port", "[::1]", "[::1]:80"},
                                         TextCase{"scheme taken as host", "http:", std::nullopt},
                                         TextCase{"empty", "", std::nullopt},
                                         TextCase{"port zero", "h:0", std::nullopt},
                                         TextCase{"unbracketed v6", "::1", std::nullopt},
                                         TextCase{"space in name", "a b", std::nullopt}));

TEST(ServerAuthority, ExplicitPortReplacesThePortInTheText)
{
    EXPECT_EQ(inet::ServerAuthority("h:1", 2), "h:2");
    EXPECT_EQ(inet::ServerAuthority("h", 8080), "h:8080");
}

} // namespace
