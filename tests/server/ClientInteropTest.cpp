// Replies of the running service read with the program's own client decoding, not a copy of it.
#include <gtest/gtest.h>

#include "platform/inet/RequestTarget.h"
#include "service/PackageDownload.h"
#include "service/ReplyDecoding.h"
#include "service/XmlText.h"
#include "tests/server/ServiceFixture.h"

namespace {

service::DecodedReply Decoded(const HttpReply& reply)
{
    std::istringstream body(reply.body);
    const std::string text = service::ReadReplyBody([&body](std::string& line) {
        if (!std::getline(body, line))
            return false;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    });
    return service::DecodeReply(text);
}

class ClientInteropTest : public ServiceFixture
{
protected:
    ClientInteropTest() { Start(); }
};

TEST_F(ClientInteropTest, EveryOperationDecodesAndThePackageAddressSplitsToTheServedFile)
{
    HttpClient client(Port());
    const auto list = Decoded(client.Service(ListEnvelope()));
    ASSERT_EQ(list.outcome, service::DecodedReply::Outcome::Text) << list.rm;
    EXPECT_NE(service::XmlValue(list.text, "rm", "Read", "")
                  .find("<item><displayname>Anne Marie</displayname></item>"),
              std::string::npos);

    const auto where = Decoded(client.Service(DownloadEnvelope("Anne Marie")));
    ASSERT_EQ(where.outcome, service::DecodedReply::Outcome::Text) << where.rm;
    const service::PackageAddress address =
        service::SplitPackageAddress(service::XmlValue(where.text, "url", "Read", ""));
    EXPECT_EQ(address.host, "127.0.0.1:" + std::to_string(Port()));
    const HttpReply package = client.Get(inet::EncodeRequestTarget("/" + address.object));
    EXPECT_EQ(package.status, 200);
    EXPECT_EQ(package.body, FileText(Catalog() / "Anne Marie.zip"));

    const auto thanks =
        Decoded(client.Service(NameRequestEnvelope("Zoë?", "Jo & Al", "j@x", "", "Is it right?")));
    ASSERT_EQ(thanks.outcome, service::DecodedReply::Outcome::Text) << thanks.rm;
    EXPECT_EQ(service::XmlValue(thanks.text, "rm", "Read", ""), thanks.rm);
    EXPECT_NE(thanks.rm.find("Thank you, Jo & Al."), std::string::npos) << thanks.rm;

    const auto refused = Decoded(client.Service(DownloadEnvelope("Nobody")));
    EXPECT_EQ(refused.outcome, service::DecodedReply::Outcome::ServiceError);
    EXPECT_EQ(service::ServiceErrorText(refused), "Error 6: " + refused.rm);
}

} // namespace
