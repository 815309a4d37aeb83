// The service exchange on the direct path against a scripted server: replies, statuses, failures.
#include "service/CServiceTransport.h"

#include "platform/core/CException.h"

#include <gtest/gtest.h>

#include "service/ServiceRequest.h"
#include "tests/service/ServiceTestSupport.h"
#include "tests/support/RawReplyServer.h"
#include "tests/support/ScriptedHttpServer.h"

namespace {

using service::ServiceOutcome;
using Kind = ServiceOutcome::Kind;

constexpr const char kServicePath[] = "/olvwebservice/default.asmx/ProcessReq";

class DirectExchange : public testing::Test
{
protected:
    ServiceOutcome Call(const std::string& host, const std::string& request = service::ListPackagesRequest(),
                        DWORD timeoutMs = 0)
    {
        service::CServiceTransport transport(host, user, password, ui);
        if (timeoutMs)
            transport.SetReceiveTimeout(timeoutMs);
        return transport.Exchange(request);
    }

    ShownBox Only() const
    {
        EXPECT_EQ(ui.boxes.size(), 1u);
        return ui.boxes.empty() ? ShownBox{} : ui.boxes.front();
    }

    ScratchPrefix prefix;
    ScriptedHttpServer server;
    RecordingUi ui;
    std::string user;
    std::string password;
};

TEST_F(DirectExchange, SuccessGivesTheReplyTextAndSendsTheEnvelopeUnescaped)
{
    server.Reply(kServicePath, 200, ServiceReplyBody("<rc>0</rc><rm>fine</rm><url>h/p/Tom.zip</url>"));
    const ServiceOutcome out = Call(server.HostPort(), service::DLRequest("Tom & Jerry <Sr.>"));
    EXPECT_EQ(out.kind, Kind::Reply);
    EXPECT_EQ(out.replyText, "<rc>0</rc><rm>fine</rm><url>h/p/Tom.zip</url></OLVServerCall>");
    EXPECT_TRUE(ui.boxes.empty());
    const auto seen = server.Requests();
    ASSERT_EQ(seen.size(), 1u);
    // '&' travels raw, so a query parser splits there: the first parameter ends before it.
    EXPECT_EQ(
        seen[0].params.find("clientXMLString")->second,
        "<comver>1.0</comver><conmeth>direct</conmeth><prod>vmr</prod><op>DLRequest</op><type>name</type>"
        "<packagename>Tom ");
    EXPECT_NE(seen[0].target.find("Tom%20&%20Jerry%20%3CSr.%3E"), std::string::npos) << seen[0].target;
    EXPECT_EQ(seen[0].headers.find("Cache-Control")->second, "no-cache");
}

TEST_F(DirectExchange, BodyIsReadUpToTheFirstBlankLine)
{
    server.Reply(
        kServicePath, 200,
        "<string>&lt;OLVServerCall a&gt;&lt;rc&gt;0\r\n&lt;/rc&gt;&lt;rm&gt;x&lt;/rm&gt;</string>\n\n"
        "&lt;url&gt;ignored&lt;/url&gt;");
    const ServiceOutcome out = Call(server.HostPort());
    EXPECT_EQ(out.kind, Kind::Reply);
    EXPECT_EQ(out.replyText, "<rc>0</rc><rm>x</rm>");
}

TEST_F(DirectExchange, ServiceErrorShowsCodeAndMessageUnderTheApplicationName)
{
    server.Reply(kServicePath, 200, ServiceReplyBody("<rc>12</rc><rm>Name not recorded</rm>"));
    EXPECT_EQ(Call(server.HostPort()).kind, Kind::Failed);
    EXPECT_EQ(Only(), (ShownBox{"Error 12: Name not recorded", "", false}));
}

TEST_F(DirectExchange, EmptyBodyIsNothingReturned)
{
    server.Reply(kServicePath, 200, "");
    EXPECT_EQ(Call(server.HostPort()).kind, Kind::Failed);
    EXPECT_EQ(Only(), (ShownBox{"Error: Nothing returned from server.", "OLV Web Service Problem", false}));
}

TEST_F(DirectExchange, ErrorStatusIsWebProcessingError)
{
    EXPECT_EQ(Call(server.HostPort()).kind, Kind::Failed); // unscripted: 404
    EXPECT_EQ(Only(), (ShownBox{"Web Processing Error #404.", "Connection Problem", false}));
}

TEST_F(DirectExchange, RedirectWithoutLocationIsReportedAsSuch)
{
    server.Redirect(kServicePath, 302, "");
    EXPECT_EQ(Call(server.HostPort()).kind, Kind::Failed);
    EXPECT_EQ(Only(), (ShownBox{"Error: Site redirects with no new location", "", true}));
}

TEST_F(DirectExchange, RedirectLoopReachesTheCallWithItsStatus)
{
    server.Redirect(kServicePath, 301, kServicePath);
    EXPECT_EQ(Call(server.HostPort()).kind, Kind::Failed);
    EXPECT_EQ(Only(), (ShownBox{"Web Processing Error #301.", "Connection Problem", false}));
}

TEST_F(DirectExchange, FollowedRedirectGivesTheFinalReply)
{
    server.Redirect(kServicePath, 302, "/moved");
    server.Reply("/moved", 200, ServiceReplyBody("<rc>0</rc><rm>here</rm>"));
    const ServiceOutcome out = Call(server.HostPort());
    EXPECT_EQ(out.kind, Kind::Reply);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(DirectExchange, UnreadableStatusCountsAsSuccess)
{
    RawReplyServer raw(ServiceReplyBody("<rc>0</rc><rm>old style</rm>"));
    const ServiceOutcome out = Call(raw.HostPort());
    EXPECT_EQ(out.kind, Kind::Reply);
    EXPECT_EQ(out.replyText, "<rc>0</rc><rm>old style</rm></OLVServerCall>");
}

TEST_F(DirectExchange, ConnectionFailuresNameTheStepAndTheCode)
{
    int closedPort = 0;
    {
        RawReplyServer gone("");
        closedPort = gone.Port();
    }
    EXPECT_EQ(Call("127.0.0.1:" + std::to_string(closedPort)).kind, Kind::Failed);
    EXPECT_EQ(Call("bad host name").kind, Kind::Failed);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0],
              (ShownBox{"Could not send request to OLV Web Server(3).  Check your high speed or dial up "
                        "connection. Error: #12029.",
                        "Connection Problem", false}));
    EXPECT_EQ(ui.boxes[1],
              (ShownBox{"Could not get connection to OLV Web Server.  Check your high speed or dial up "
                        "connection. Error: #12005.",
                        "Connection Problem", false}));
}

TEST_F(DirectExchange, BrokenBodyShowsTheErrorsOwnDescription)
{
    server.Stall(kServicePath, "<string>&lt;OLVServerCall a&gt;", 5000);
    EXPECT_EQ(Call(server.HostPort(), service::ListPackagesRequest(), 300).kind, Kind::Failed);
    server.CutOff("/olvwebservice/default.asmx/ProcessReq", "<string>partial", 5000);
    EXPECT_EQ(Call(server.HostPort()).kind, Kind::Failed);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0], (ShownBox{"The operation timed out.", "Connection Problem", false}));
    EXPECT_EQ(ui.boxes[1], (ShownBox{"The connection with the server was terminated abnormally.",
                                     "Connection Problem", false}));
}

struct SettingsCase
{
    const char* label;
    std::vector<std::string> lines;
};

class DirectPathSettings : public DirectExchange, public testing::WithParamInterface<SettingsCase>
{
};

// Each row points ProxyServer at a dead port: taking the proxied path would fail the call.
TEST_P(DirectPathSettings, OnlyTheNumberOneSelectsTheProxy)
{
    WriteInternetSettings(prefix, GetParam().lines);
    server.Reply(kServicePath, 200, ServiceReplyBody("<rc>0</rc><rm>direct</rm>"));
    const ServiceOutcome out = Call(server.HostPort());
    EXPECT_EQ(out.kind, Kind::Reply) << GetParam().label;
    EXPECT_TRUE(ui.boxes.empty()) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DirectPathSettings,
    testing::Values(
        SettingsCase{"no key", {}},
        SettingsCase{"enable 0", {"\"ProxyEnable\"=dword:00000000", "\"ProxyServer\"=\"127.0.0.1:9\""}},
        SettingsCase{"enable 2", {"\"ProxyEnable\"=dword:00000002", "\"ProxyServer\"=\"127.0.0.1:9\""}},
        SettingsCase{"enable as a string", {"\"ProxyEnable\"=\"1\"", "\"ProxyServer\"=\"127.0.0.1:9\""}},
        SettingsCase{"no enable value", {"\"ProxyServer\"=\"127.0.0.1:9\""}}),
    [](const testing::TestParamInfo<SettingsCase>& row) { return "Row" + std::to_string(row.index); });

TEST_F(DirectExchange, UnusableProxyListTravelsOutOfTheCall)
{
    WriteInternetSettings(prefix, {"\"ProxyEnable\"=dword:00000001"});
    EXPECT_THROW(Call(server.HostPort()), CException);
    EXPECT_TRUE(ui.boxes.empty());
}

} // namespace
