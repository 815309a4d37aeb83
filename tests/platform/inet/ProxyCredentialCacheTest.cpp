// The proxy credential cache alone: what each answer of the proxy teaches it, and whose entry is whose.
#include "platform/inet/ProxyCredentialCache.h"

#include <gtest/gtest.h>

namespace {

using inet::ProxyCredentialCache;
using inet::ProxyCredentials;

const ProxyCredentials kRight{"zuser", "zpass"};
const ProxyCredentials kWrong{"zuser", "nope"};
constexpr const char kProxy[] = "proxy.example:3128";

TEST(ProxyCredentialCache, AcceptedCredentialsAreKeptWrongOnesNeverEnter)
{
    ProxyCredentialCache cache;
    cache.Learn(kProxy, kWrong, 407);
    EXPECT_EQ(cache.Find(kProxy), std::nullopt) << "refused";
    cache.Learn(kProxy, kWrong, 0);
    EXPECT_EQ(cache.Find(kProxy), std::nullopt) << "no answer read";
    cache.Learn(kProxy, kRight, 404);
    EXPECT_EQ(cache.Find(kProxy), kRight) << "the proxy let the request through; the origin had no file";
    cache.Learn(kProxy, kWrong, 407);
    EXPECT_EQ(cache.Find(kProxy), kRight) << "a refusal of other credentials says nothing about these";
    cache.Learn(kProxy, ProxyCredentials{"other", "pw"}, 200);
    EXPECT_EQ(cache.Find(kProxy), (ProxyCredentials{"other", "pw"})) << "the latest accepted login wins";
}

TEST(ProxyCredentialCache, CredentialsTheProxyLaterRefusesAreDropped)
{
    ProxyCredentialCache cache;
    cache.Learn(kProxy, kRight, 200);
    cache.Learn(kProxy, kRight, 407);
    EXPECT_EQ(cache.Find(kProxy), std::nullopt);
    cache.Learn(kProxy, kRight, 200);
    EXPECT_EQ(cache.Find(kProxy), kRight) << "accepted again after the user typed them again";
}

TEST(ProxyCredentialCache, ClearForgetsEveryProxy)
{
    ProxyCredentialCache cache;
    cache.Learn(kProxy, kRight, 200);
    cache.Learn("127.0.0.1:8080", kRight, 200);
    cache.Clear();
    EXPECT_EQ(cache.Find(kProxy), std::nullopt);
    EXPECT_EQ(cache.Find("127.0.0.1:8080"), std::nullopt);
}

struct KeyCase
{
    const char* proxy;
    bool shares; // the entry made for kProxy is presented to this proxy
};

class ProxyCredentialKey : public testing::TestWithParam<KeyCase>
{
};

TEST_P(ProxyCredentialKey, EntryForOneProxyGoesToThatProxyOnly)
{
    ProxyCredentialCache cache;
    cache.Learn(kProxy, kRight, 200);
    const std::optional<ProxyCredentials> found = cache.Find(GetParam().proxy);
    if (GetParam().shares)
        EXPECT_EQ(found, kRight) << GetParam().proxy;
    else
        EXPECT_EQ(found, std::nullopt) << GetParam().proxy;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProxyCredentialKey,
    testing::Values(KeyCase{"proxy.example:3128", true}, KeyCase{"PROXY.Example:3128", true},
                    KeyCase{"proxy.example:3129", false}, KeyCase{"proxy.example:31280", false},
                    KeyCase{"proxy.example:312", false}, KeyCase{"proxy2.example:3128", false},
                    KeyCase{"roxy.example:3128", false}, KeyCase{"proxy.example", false},
                    KeyCase{"127.0.0.1:3128", false}, KeyCase{"", false}));

} // namespace
