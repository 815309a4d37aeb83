// Requests through a real squid proxy on 127.0.0.1: a 407 reaches the caller, credentials pass it.
#include <gtest/gtest.h>

#include "platform/inet/CInternetSession.h"
#include "tests/support/ScriptedHttpServer.h"
#include "tests/support/SquidProxy.h"

namespace {

DWORD Status(CHttpFile& file)
{
    DWORD status = 0;
    EXPECT_TRUE(file.QueryInfoStatusCode(status));
    return status;
}

void SetCredentials(CHttpFile& file, const std::string& user, const std::string& password)
{
    ASSERT_TRUE(file.SetOption(INTERNET_OPTION_PROXY_USERNAME, user.c_str(), user.size() + 1));
    ASSERT_TRUE(file.SetOption(INTERNET_OPTION_PROXY_PASSWORD, password.c_str(), password.size() + 1));
}

TEST(HttpProxy, ProxyAsksThenRightCredentialsOnTheSameRequestPass)
{
    SquidProxy proxy;
    ScriptedHttpServer origin;
    origin.Reply("/pkg", 200, "through the proxy");
    CInternetSession session(nullptr, 1, INTERNET_OPEN_TYPE_PROXY, proxy.HostPort().c_str());
    auto connection = session.GetHttpConnection(origin.HostPort());
    auto file = connection->OpenRequest("GET", "pkg");
    file->SendRequest();
    EXPECT_EQ(Status(*file), 407u);
    EXPECT_TRUE(origin.Requests().empty());

    SetCredentials(*file, proxy.User(), proxy.Password());
    file->SendRequest();
    EXPECT_EQ(Status(*file), 200u);
    std::string line;
    ASSERT_TRUE(file->ReadString(line));
    EXPECT_EQ(line, "through the proxy");
    ASSERT_EQ(origin.Requests().size(), 1u);
    // One copy of the record for both ends: iterators of two copies never compare equal.
    const auto seen = origin.Requests();
    EXPECT_NE(seen[0].headers.find("Via"), seen[0].headers.end());
}

TEST(HttpProxy, WrongCredentialsGetAnother407)
{
    SquidProxy proxy;
    ScriptedHttpServer origin;
    origin.Reply("/pkg", 200, "secret");
    CInternetSession session(nullptr, 1, INTERNET_OPEN_TYPE_PROXY,
                             ("ftp=127.0.0.1:1;http=" + proxy.HostPort()).c_str());
    auto file = session.GetHttpConnection(origin.HostPort())->OpenRequest("GET", "pkg");
    SetCredentials(*file, proxy.User(), "wrong");
    file->SendRequest();
    EXPECT_EQ(Status(*file), 407u);
    EXPECT_TRUE(origin.Requests().empty());
}

TEST(HttpProxy, OpenProxyPassesWithoutCredentials)
{
    SquidProxy proxy(SquidProxy::Options{.requireAuth = false});
    ScriptedHttpServer origin;
    origin.Reply("/a b", 200, "spaced");
    CInternetSession session(nullptr, 1, INTERNET_OPEN_TYPE_PROXY, proxy.HostPort().c_str());
    auto file = session.GetHttpConnection(origin.HostPort())->OpenRequest("GET", "a b");
    file->SendRequest();
    EXPECT_EQ(Status(*file), 200u);
    ASSERT_EQ(origin.Requests().size(), 1u);
    EXPECT_EQ(origin.Requests()[0].path, "/a b");
    EXPECT_EQ(origin.Requests()[0].headers.count("Proxy-Authorization"), 0u);
}

}  // namespace
