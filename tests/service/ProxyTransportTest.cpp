// The service exchange through a real squid proxy: the 407 login step and the credential states.
#include "service/CServiceTransport.h"

#include <gtest/gtest.h>

#include "platform/inet/ProxyCredentialCache.h"
#include "service/PackageDownload.h"
#include "service/ServiceRequest.h"
#include "tests/service/ServiceTestSupport.h"
#include "tests/support/ScriptedHttpServer.h"
#include "tests/support/SquidProxy.h"

namespace {

using service::ServiceOutcome;
using Kind = ServiceOutcome::Kind;
using namespace std::string_literals;

constexpr const char kServicePath[] = "/olvwebservice/default.asmx/ProcessReq";
const ShownBox kRejected{
    "Your Proxy server is unable to authenticate you. Please check that your username and "
    "password are correct, and attempt the connection again or contact your technical support.",
    "Connection Problem", false};

class ProxiedExchange : public testing::Test
{
protected:
    explicit ProxiedExchange(bool requireAuth = true) : proxy(SquidProxy::Options{.requireAuth = requireAuth})
    {
        // Logins the proxy accepted stay for the process: none may come from an earlier test.
        inet::ProcessProxyCredentials().Clear();
        UseProxy(prefix, proxy.HostPort());
        server.Reply(kServicePath, 200, ServiceReplyBody("<rc>0</rc><rm>via proxy</rm>"));
    }

    ServiceOutcome Call()
    {
        service::CServiceTransport transport(server.HostPort(), user, password, ui);
        return transport.Exchange(service::ListPackagesRequest());
    }

    ScratchPrefix prefix;
    SquidProxy proxy;
    ScriptedHttpServer server;
    RecordingUi ui;
    std::string user;
    std::string password;
};

class OpenProxyExchange : public ProxiedExchange
{
protected:
    OpenProxyExchange() : ProxiedExchange(false) {}
};

TEST_F(OpenProxyExchange, NoLoginWithoutA407)
{
    const ServiceOutcome out = Call();
    EXPECT_EQ(out.kind, Kind::Reply);
    EXPECT_EQ(ui.loginsAsked, 0);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(user.empty());
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].headers.count("Via"), 1u);
}

TEST_F(OpenProxyExchange, ErrorStatusThroughTheProxyIsWebProcessingError)
{
    server.Reply(kServicePath, 404, "gone");
    EXPECT_EQ(Call().kind, Kind::Failed);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0], (ShownBox{"Web Processing Error #404.", "Connection Problem", false}));
}

TEST_F(ProxiedExchange, LoginOnceThenTheRememberedCredentialsAreSentWithoutAsking)
{
    ui.logins.push_back(RecordingUi::Login{proxy.User(), proxy.Password()});
    EXPECT_EQ(Call().kind, Kind::Reply);
    EXPECT_EQ(ui.loginsAsked, 1);
    EXPECT_EQ(user, proxy.User());
    EXPECT_EQ(password, proxy.Password());

    const ServiceOutcome second = Call();
    EXPECT_EQ(second.kind, Kind::Reply);
    EXPECT_EQ(second.replyText, "<rc>0</rc><rm>via proxy</rm></OLVServerCall>");
    EXPECT_EQ(ui.loginsAsked, 1);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(server.Requests().size(), 2u);
}

// The login of the service call used to stay with the main window: every package download then met the
// proxy's 407 without credentials, and nothing could be installed or saved.
TEST_F(ProxiedExchange, DownloadsBehindALoginProxyCarryTheAcceptedLogin)
{
    const std::filesystem::path folder = prefix.MapDrive('e', "pkgs");
    const std::string package = "PK\x03\x04 package\0bytes"s;
    server.Reply("/Tom.zip", 200, package, {}, "application/zip");
    ui.logins.push_back(RecordingUi::Login{proxy.User(), proxy.Password()});
    ASSERT_EQ(Call().kind, Kind::Reply);

    for (const std::string name : {"first.zip", "second.zip"}) {
        const service::DownloadResult got =
            service::DownloadPackage(server.HostPort() + "/p/Tom.zip", "E:\\" + name, ui);
        EXPECT_TRUE(got.ok) << name << ": " << got.failure;
        std::ifstream in(folder / name, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), package) << name;
    }
    EXPECT_EQ(ui.loginsAsked, 1);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ProxiedExchange, RejectedCredentialsAreKeptAndRejectedAgainWithoutADialog)
{
    ui.logins.push_back(RecordingUi::Login{proxy.User(), "wrong"});
    EXPECT_EQ(Call().kind, Kind::Failed);
    EXPECT_EQ(Call().kind, Kind::Failed);
    EXPECT_EQ(ui.loginsAsked, 1);
    EXPECT_EQ(ui.events, (std::vector<std::string>{"login", "box", "box"}));
    EXPECT_EQ(ui.boxes, (std::vector<ShownBox>{kRejected, kRejected}));
    EXPECT_EQ(password, "wrong");
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(ProxiedExchange, RefusedUserNameIsReportedAndTheRequestStillGoesAgain)
{
    // A ':' cannot travel in a Basic user name, so the request refuses it.
    ui.logins.push_back(RecordingUi::Login{"dom:user", proxy.Password()});
    EXPECT_EQ(Call().kind, Kind::Failed);
    EXPECT_EQ(ui.boxes, (std::vector<ShownBox>{{"Failed to set proxy user name.", "", true}, kRejected}));
}

TEST_F(ProxiedExchange, RefusedPasswordIsReportedAndTheRequestStillGoesAgain)
{
    ui.logins.push_back(RecordingUi::Login{proxy.User(), "tab\there"});
    EXPECT_EQ(Call().kind, Kind::Failed);
    EXPECT_EQ(ui.boxes, (std::vector<ShownBox>{{"Failed to set proxy user password.", "", true}, kRejected}));
}

TEST_F(ProxiedExchange, CancelledLoginEndsSilentlyAndAsksAgainNextTime)
{
    ui.logins.push_back(std::nullopt);
    EXPECT_EQ(Call().kind, Kind::Cancelled);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(user.empty());

    ui.logins.push_back(RecordingUi::Login{proxy.User(), proxy.Password()});
    EXPECT_EQ(Call().kind, Kind::Reply);
    EXPECT_EQ(ui.loginsAsked, 2);
}

// A run that starts with a login the proxy no longer takes (cached, then the password changed): the
// stale login is dropped at its 407 and the user is asked, instead of it being presented again and again.
TEST_F(ProxiedExchange, StaleCachedLoginIsDroppedAndTheUserAsked)
{
    inet::ProcessProxyCredentials().Learn(proxy.HostPort(), inet::ProxyCredentials{proxy.User(), "old"}, 200);
    ui.logins.push_back(std::nullopt);
    EXPECT_EQ(Call().kind, Kind::Cancelled);
    EXPECT_EQ(inet::ProcessProxyCredentials().Find(proxy.HostPort()), std::nullopt);

    ui.logins.push_back(RecordingUi::Login{proxy.User(), proxy.Password()});
    EXPECT_EQ(Call().kind, Kind::Reply);
    EXPECT_EQ(ui.loginsAsked, 2);
    EXPECT_EQ(inet::ProcessProxyCredentials().Find(proxy.HostPort()),
              (inet::ProxyCredentials{proxy.User(), proxy.Password()}));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ProxiedExchange, CredentialsKnownBeforehandSkipTheDialog)
{
    user = proxy.User();
    password = proxy.Password();
    EXPECT_EQ(Call().kind, Kind::Reply);
    EXPECT_EQ(ui.loginsAsked, 0);
}

} // namespace
