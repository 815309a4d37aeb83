// zentrimo-service as a process over HTTP on 127.0.0.1: operations, round trips, refusals, log.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>

#include "server/CRequestStore.h"
#include "tests/server/ServiceFixture.h"

namespace {

using clientdecoding::XmlRead;

std::vector<std::string> ListedNames(const std::string& replyText)
{
    std::vector<std::string> names;
    std::string rest = XmlRead(replyText, "rm");
    for (std::string item; (item = XmlRead(rest, "item")) != "Value not found.";) {
        rest.erase(0, rest.find("</item>") + 7);
        names.push_back(XmlRead(item, "displayname"));
    }
    return names;
}

class ServiceHttpTest : public ServiceFixture
{
protected:
    ServiceHttpTest() { Start(); }
};

TEST_F(ServiceHttpTest, ListedPackagesDownloadThroughTheirAddressByteForByte)
{
    HttpClient client(Port());
    const auto list = Call(client, ListEnvelope());
    ASSERT_EQ(list.rc, "0") << list.rm;
    const std::vector<std::string> names = ListedNames(list.replyText);
    ASSERT_EQ(names.size(), 40u);
    for (const std::string& name :
         {std::string("Anne Marie"), std::string("Zoë"), std::string("Łukasz"), names.back()}) {
        ASSERT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
        const auto where = Call(client, DownloadEnvelope(name));
        ASSERT_EQ(where.rc, "0") << where.rm;
        const std::string url = XmlRead(where.replyText, "url");
        EXPECT_EQ(url.substr(0, url.find('/')), "127.0.0.1:" + std::to_string(Port())) << url;
        const HttpReply package = client.Download(url);
        ASSERT_TRUE(package.ok) << package.error;
        EXPECT_EQ(package.status, 200) << url;
        EXPECT_EQ(package.body, FileText(Catalog() / (name + ".zip"))) << name;
    }
}

TEST_F(ServiceHttpTest, PackageAddressNamesThePublicHostWhenOneIsSet)
{
    m_service.reset();
    Start({"--public-host", "names.example:8080"});
    HttpClient client(Port());
    const auto where = Call(client, DownloadEnvelope("Anna"));
    EXPECT_EQ(XmlRead(where.replyText, "url"), "names.example:8080/olvwebservice/packages/Anna.zip");
}

struct RoundTripCase
{
    const char* label;
    std::string value;
};

void PrintTo(const RoundTripCase& c, std::ostream* os)
{
    *os << c.label;
}

class ServiceRoundTripTest : public ServiceHttpTest, public testing::WithParamInterface<RoundTripCase>
{
};

TEST_P(ServiceRoundTripTest, TypedValuesArriveInTheDatabaseAsTyped)
{
    const std::string& value = GetParam().value;
    HttpClient client(Port());
    const auto reply =
        Call(client, NameRequestEnvelope("rec " + value, "req " + value, "m" + value + "@x.org",
                                         "pron " + value, "comments " + value));
    ASSERT_EQ(reply.rc, "0") << reply.rm;
    // The raw form, as a client that does not encode would send it, must arrive the same.
    std::string raw = "/olvwebservice/default.asmx/ProcessReq?clientXMLString=" +
                      NameRequestEnvelope("rec " + value, "req " + value, "m" + value + "@x.org",
                                          "pron " + value, "comments " + value);
    for (size_t at; (at = raw.find(' ')) != std::string::npos;)
        raw.replace(at, 1, "%20");
    for (size_t at = 0; (at = raw.find('%', at)) != std::string::npos; at += 3)
        if (raw.compare(at, 3, "%20") != 0)
            raw.replace(at, 1, "%25");
    const HttpReply second = client.Get(raw);
    ASSERT_EQ(second.status, 200);
    EXPECT_EQ(clientdecoding::Decode(second.body).rc, "0");

    CRequestStore store(Db());
    const auto stored = store.All();
    ASSERT_EQ(stored.size(), 2u);
    for (const auto& r : stored) {
        EXPECT_EQ(r.record, "rec " + value);
        EXPECT_EQ(r.requester, "req " + value);
        EXPECT_EQ(r.email, "m" + value + "@x.org");
        EXPECT_EQ(r.pron, "pron " + value);
        EXPECT_EQ(r.comments, "comments " + value);
        EXPECT_EQ(r.client, "127.0.0.1");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, ServiceRoundTripTest,
    testing::Values(RoundTripCase{"ampersand", "A & B&c=d"}, RoundTripCase{"plus", "a+b"},
                    RoundTripCase{"angle brackets", "<b>x</b>"}, RoundTripCase{"percent", "100% %41"},
                    RoundTripCase{"non-ASCII", "Zoë Łukasz"}, RoundTripCase{"query characters", "a?b=c;d/e"},
                    RoundTripCase{"quotes", "O'Neil \"Jo\""},
                    RoundTripCase{"closing tag of its own element", "x</email>y"}));

TEST_F(ServiceHttpTest, EveryRefusedOperationHasANonZeroCode)
{
    HttpClient client(Port());
    for (const std::string& envelope :
         {DownloadEnvelope("Nobody"), NameRequestEnvelope("Ann", "", "a@b"),
          kEnvelopeHeader + "<op>Nope</op>",
          std::string("<comver>9</comver><conmeth>direct</conmeth><prod>vmr</prod><op>ListPackages</op>"),
          std::string("<comver>1.0</comver><conmeth>direct</conmeth><prod>xyz</prod><op>ListPackages</op>"),
          std::string("<garbage"), std::string("")}) {
        const auto reply = Call(client, envelope);
        EXPECT_NE(reply.rc, "0") << envelope;
        EXPECT_NE(reply.rc, "Value not found.") << envelope;
        EXPECT_FALSE(reply.rm.empty()) << envelope;
    }
    EXPECT_TRUE(CRequestStore(Db()).All().empty());
}

struct RefusalCase
{
    const char* label;
    std::string target;
    long status;
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.label;
}

class ServiceRefusalTest : public ServiceHttpTest, public testing::WithParamInterface<RefusalCase>
{
};

TEST_P(ServiceRefusalTest, IsAnsweredWithAnHttpErrorAndTheServiceGoesOn)
{
    HttpClient client(Port());
    const HttpReply reply = client.Get(GetParam().target);
    ASSERT_TRUE(reply.ok) << reply.error;
    EXPECT_EQ(reply.status, GetParam().status);
    HttpClient next(Port());
    EXPECT_EQ(Call(next, ListEnvelope()).rc, "0");
}

INSTANTIATE_TEST_SUITE_P(
    Requests, ServiceRefusalTest,
    testing::Values(
        RefusalCase{"request line over the limit",
                    "/olvwebservice/default.asmx/ProcessReq?clientXMLString=" + std::string(70000, 'a'), 414},
        RefusalCase{"raw blank", "/olvwebservice/default.asmx/ProcessReq?clientXMLString=a b", 400},
        RefusalCase{"no envelope parameter", "/olvwebservice/default.asmx/ProcessReq?other=1", 400},
        RefusalCase{"no query", "/olvwebservice/default.asmx/ProcessReq", 400},
        RefusalCase{"unknown path", "/index.html", 404},
        RefusalCase{"unknown package", "/packages/Nobody.zip", 404},
        RefusalCase{"package outside the catalogue", "/packages/..%2F..%2Fetc%2Fpasswd%00.zip", 404},
        RefusalCase{"package without extension", "/packages/Anna", 404}));

TEST_F(ServiceHttpTest, EnvelopeAfterAnotherParameterIsTakenWhole)
{
    HttpClient client(Port());
    const HttpReply reply =
        client.Get("/olvwebservice/default.asmx/processreq?x=1&clientXMLString=" + ListEnvelope());
    ASSERT_EQ(reply.status, 200);
    EXPECT_EQ(clientdecoding::Decode(reply.body).rc, "0");
}

TEST_F(ServiceHttpTest, StopsOnSigtermAfterLoggingOneLinePerRequest)
{
    {
        HttpClient client(Port());
        Call(client, ListEnvelope());
        Call(client, DownloadEnvelope("Nobody"));
        client.Get("/packages/Anna.zip");
        client.Get("/nowhere");
    }
    m_service->Signal(SIGTERM);
    EXPECT_EQ(m_service->Wait(), 0);
    std::istringstream log(FileText(Log()));
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 5u) << FileText(Log());
    EXPECT_NE(lines[0].find(" 127.0.0.1 GET /olvwebservice/default.asmx/ProcessReq 200 "), std::string::npos);
    EXPECT_NE(lines[0].find(" ListPackages rc=0"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find(" DLRequest rc=6"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find(" GET /packages/Anna.zip 200 "), std::string::npos) << lines[2];
    EXPECT_NE(lines[3].find(" GET /nowhere 404 "), std::string::npos) << lines[3];
    EXPECT_EQ(lines[4], "zentrimo-service: stopped by signal 15");
    for (const std::string& line : lines)
        EXPECT_EQ(line.find("clientXMLString"), std::string::npos) << "envelopes stay out of the log";
}

TEST_F(ServiceHttpTest, SigintStopsTooAndTheDatabaseIsComplete)
{
    HttpClient client(Port());
    ASSERT_EQ(Call(client, NameRequestEnvelope("Ann", "Jo", "j@x")).rc, "0");
    m_service->Signal(SIGINT);
    EXPECT_EQ(m_service->Wait(), 0);
    EXPECT_EQ(CRequestStore(Db()).All().size(), 1u);
}

} // namespace
