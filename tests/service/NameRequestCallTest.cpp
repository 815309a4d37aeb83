// The request-new-name exchange: its notice on every way out, the answer shown, success reported.
#include "service/NameRequestCall.h"

#include "platform/core/CException.h"

#include <gtest/gtest.h>

#include "service/ServiceRequest.h"
#include "tests/service/ServiceTestSupport.h"
#include "tests/support/ScriptedHttpServer.h"

namespace {

constexpr const char kServicePath[] = "/olvwebservice/default.asmx/ProcessReq";

class NameRequestCall : public testing::Test
{
protected:
    bool Send()
    {
        service::CServiceTransport transport(server.HostPort(), user, password, ui);
        return service::SendNameRequest(
            transport, ui, service::NameRequest("Ysolde", "Ann Lee", "ann@example.org", "ee-SOLD", ""));
    }

    ScratchPrefix prefix;
    ScriptedHttpServer server;
    RecordingUi ui;
    std::string user;
    std::string password;
};

TEST_F(NameRequestCall, AcceptedRequestShowsTheServicesMessageInsideTheNotice)
{
    server.Reply(kServicePath, 200, ServiceReplyBody("<rc>0</rc><rm>Thank you, we will record it.</rm>"));
    EXPECT_TRUE(Send());
    EXPECT_EQ(ui.events,
              (std::vector<std::string>{"notice:Sending request, please wait...", "box", "notice off"}));
    EXPECT_EQ(ui.boxes, (std::vector<ShownBox>{{"Thank you, we will record it.", "", false}}));
    const auto seen = server.Requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].params.find("clientXMLString")->second,
              "<comver>1.0</comver><conmeth>direct</conmeth><prod>vmr</prod><op>NameRequest</op>"
              "<record>Ysolde</record><request>Ann Lee</request><email>ann@example.org</email>"
              "<pron>ee-SOLD</pron><comments></comments>");
}

TEST_F(NameRequestCall, FailureIsToldOnceAndTheNoticeStillGoes)
{
    server.Reply(kServicePath, 200, ServiceReplyBody("<rc>4</rc><rm>Already recorded</rm>"));
    EXPECT_FALSE(Send());
    EXPECT_EQ(ui.events,
              (std::vector<std::string>{"notice:Sending request, please wait...", "box", "notice off"}));
    EXPECT_EQ(ui.boxes, (std::vector<ShownBox>{{"Error 4: Already recorded", "", false}}));
}

TEST_F(NameRequestCall, NoticeGoesWhenTheSessionCannotBeCreated)
{
    WriteInternetSettings(prefix, {"\"ProxyEnable\"=dword:00000001", "\"ProxyServer\"=\"\""});
    EXPECT_THROW(Send(), CException);
    EXPECT_EQ(ui.events, (std::vector<std::string>{"notice:Sending request, please wait...", "notice off"}));
}

} // namespace
