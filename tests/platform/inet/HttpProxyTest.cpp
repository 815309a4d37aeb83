// Requests through a real squid proxy on 127.0.0.1: a 407 reaches the caller, credentials pass it,
// and credentials the proxy accepted go with the process's later requests to that proxy only.
#include <gtest/gtest.h>

#include "platform/inet/CInternetSession.h"
#include "platform/inet/ProxyCredentialCache.h"
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

// The credential cache lives as long as the process: no test may inherit another's logins (a later
// squid can get an earlier one's port).
class HttpProxy : public testing::Test
{
protected:
    HttpProxy() { inet::ProcessProxyCredentials().Clear(); }
    ~HttpProxy() override { inet::ProcessProxyCredentials().Clear(); }

    // A new session, connection and request through proxyList, sent without credentials of its own.
    static DWORD FreshRequestStatus(const std::string& proxyList, const ScriptedHttpServer& origin)
    {
        CInternetSession session(nullptr, 1, INTERNET_OPEN_TYPE_PROXY, proxyList.c_str());
        auto file = session.GetHttpConnection(origin.HostPort())->OpenRequest("GET", "pkg");
        file->SendRequest();
        return Status(*file);
    }
};

TEST_F(HttpProxy, ProxyAsksThenRightCredentialsOnTheSameRequestPass)
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

TEST_F(HttpProxy, WrongCredentialsGetAnother407)
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

TEST_F(HttpProxy, OpenProxyPassesWithoutCredentials)
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

TEST_F(HttpProxy, AcceptedCredentialsGoWithLaterRequestsOfTheProcess)
{
    SquidProxy proxy;
    ScriptedHttpServer origin;
    origin.Reply("/pkg", 200, "package");
    {
        CInternetSession session(nullptr, 1, INTERNET_OPEN_TYPE_PROXY, proxy.HostPort().c_str());
        auto file = session.GetHttpConnection(origin.HostPort())->OpenRequest("GET", "pkg");
        SetCredentials(*file, proxy.User(), proxy.Password());
        file->SendRequest();
        ASSERT_EQ(Status(*file), 200u);
    }
    EXPECT_EQ(FreshRequestStatus(proxy.HostPort(), origin), 200u);
    EXPECT_EQ(FreshRequestStatus("ftp=127.0.0.1:1;http=http://" + proxy.HostPort() + "/", origin), 200u)
        << "the same proxy spelt as the settings may spell it";
    EXPECT_EQ(origin.Requests().size(), 3u);
}

TEST_F(HttpProxy, CredentialsForOneProxyAreNotSentToAnotherPortOrHost)
{
    SquidProxy first;
    SquidProxy second; // same user and password: it would let anything carrying them through
    ScriptedHttpServer origin;
    origin.Reply("/pkg", 200, "package");
    inet::ProcessProxyCredentials().Learn(first.HostPort(),
                                          inet::ProxyCredentials{first.User(), first.Password()}, 200);
    ASSERT_EQ(FreshRequestStatus(first.HostPort(), origin), 200u);
    EXPECT_EQ(FreshRequestStatus(second.HostPort(), origin), 407u) << "another port";
    EXPECT_EQ(FreshRequestStatus("localhost:" + std::to_string(first.Port()), origin), 407u)
        << "another host name, even for the same proxy";
    EXPECT_EQ(origin.Requests().size(), 1u);
}

} // namespace
