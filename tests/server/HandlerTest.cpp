// The three operations end to end inside the process: envelope in, decoded reply out.
#include "server/CServiceHandler.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>

#include "server/CRequestStore.h"
#include "tests/server/ClientDecoding.h"
#include "tests/support/ScratchDir.h"

namespace {

using clientdecoding::Decode;
using clientdecoding::XmlRead;

const std::string kHeader = "<comver>1.0</comver><conmeth>direct</conmeth><prod>vmr</prod>";
const std::string kList = kHeader + "<op>ListPackages</op><type>name</type>";

std::string Download(const std::string& name)
{
    return kHeader + "<op>DLRequest</op><type>name</type><packagename>" + name + "</packagename>";
}

std::string Request(const std::string& record, const std::string& requester, const std::string& email,
                    const std::string& pron = "", const std::string& comments = "")
{
    return kHeader + "<op>NameRequest</op><record>" + record + "</record><request>" + requester +
           "</request><email>" + email + "</email><pron>" + pron + "</pron><comments>" + comments +
           "</comments>";
}

// The client's walk over the items inside rm.
std::vector<std::string> ListedNames(const std::string& replyText)
{
    std::vector<std::string> names;
    std::string rest = XmlRead(replyText, "rm");
    while (true) {
        const std::string item = XmlRead(rest, "item");
        if (item == "Value not found.")
            break;
        rest.erase(0, rest.find("</item>") + 7);
        names.push_back(XmlRead(item, "displayname"));
    }
    return names;
}

// The client's split of a package address: host before the first "/", object after the second.
std::pair<std::string, std::string> SplitAddress(const std::string& url)
{
    const size_t first = url.find('/');
    const size_t second = url.find('/', first + 1);
    return {url.substr(0, first), url.substr((second == std::string::npos ? first : second) + 1)};
}

class HandlerTest : public testing::Test
{
protected:
    HandlerTest()
        : m_catalog(m_dir / "catalog"), m_store(m_dir / "requests.db"), m_handler(m_catalog, m_store)
    {
        std::filesystem::create_directory(m_dir / "catalog");
    }

    void Publish(const std::string& name)
    {
        std::ofstream(m_catalog.PackagePath(name), std::ios::binary) << "PK";
    }

    clientdecoding::Decoded Call(const std::string& envelope, ServiceCall* raw = nullptr)
    {
        ServiceCall call = m_handler.Process(envelope, "127.0.0.7", "127.0.0.1:8642");
        if (raw)
            *raw = call;
        return Decode(*call.document);
    }

    ScratchDir m_dir{"handler"};
    CCatalog m_catalog;
    CRequestStore m_store;
    CServiceHandler m_handler;
};

TEST_F(HandlerTest, ListPackagesNamesEveryPackageInsideRmInCatalogueOrder)
{
    for (const char* name : {"bob", "Anna", "anna", "Carl", "Anne Marie", "Zoë", "Tom & Jerry"})
        Publish(name);
    ServiceCall raw;
    const auto reply = Call(kList, &raw);
    EXPECT_EQ(reply.rc, "0");
    EXPECT_EQ(raw.operation, "ListPackages");
    EXPECT_EQ(ListedNames(reply.replyText),
              (std::vector<std::string>{"Anna", "Anne Marie", "Carl", "Tom & Jerry", "Zoë", "anna", "bob"}));
}

TEST_F(HandlerTest, ListPackagesFollowsTheCatalogue)
{
    EXPECT_TRUE(ListedNames(Call(kList).replyText).empty());
    Publish("Anna");
    EXPECT_EQ(ListedNames(Call(kList).replyText), std::vector<std::string>{"Anna"});
    Publish("Bob");
    EXPECT_EQ(ListedNames(Call(kList).replyText), (std::vector<std::string>{"Anna", "Bob"}));
}

TEST_F(HandlerTest, DownloadRequestGivesAnAddressWhoseObjectIsTheServedPackagePath)
{
    Publish("Anne Marie");
    const auto reply = Call(Download("Anne Marie"));
    ASSERT_EQ(reply.rc, "0") << reply.rm;
    const auto [host, object] = SplitAddress(XmlRead(reply.replyText, "url"));
    EXPECT_EQ(host, "127.0.0.1:8642");
    EXPECT_EQ("/" + object, std::string(CServiceHandler::kPackagePath) + "Anne Marie.zip");
}

TEST_F(HandlerTest, NameRequestIsStoredWithClientAndThanksTheRequester)
{
    const auto reply =
        Call(Request("Zoë & <Bo>", "Jane Doe", "jane@example.org", "zo-AY", "50% sure + more"));
    ASSERT_EQ(reply.rc, "0") << reply.rm;
    EXPECT_NE(reply.rm.find("Thank you, Jane Doe."), std::string::npos) << reply.rm;
    const auto stored = m_store.All();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].record, "Zoë & <Bo>");
    EXPECT_EQ(stored[0].requester, "Jane Doe");
    EXPECT_EQ(stored[0].email, "jane@example.org");
    EXPECT_EQ(stored[0].pron, "zo-AY");
    EXPECT_EQ(stored[0].comments, "50% sure + more");
    EXPECT_EQ(stored[0].client, "127.0.0.7");
}

TEST_F(HandlerTest, NameRequestWithoutOptionalElementsIsAccepted)
{
    const auto reply =
        Call(kHeader + "<op>NameRequest</op><record>Ann</record><request>Me</request><email>m@x</email>");
    EXPECT_EQ(reply.rc, "0") << reply.rm;
    EXPECT_EQ(m_store.All().size(), 1u);
}

struct ErrorCase
{
    const char* label;
    std::string envelope;
    ServiceStatus expected;
};

void PrintTo(const ErrorCase& c, std::ostream* os)
{
    *os << c.label;
}

class HandlerErrorTest : public HandlerTest, public testing::WithParamInterface<ErrorCase>
{
};

TEST_P(HandlerErrorTest, RefusalHasANonZeroCodeAReadableMessageAndStoresNothing)
{
    Publish("Anna");
    const ErrorCase& c = GetParam();
    const auto reply = Call(c.envelope);
    EXPECT_EQ(reply.rc, StatusCode(c.expected)) << c.label;
    EXPECT_NE(reply.rc, "0") << c.label;
    EXPECT_GT(reply.rm.size(), 10u) << c.label;
    EXPECT_EQ(reply.rm.find('<'), std::string::npos) << c.label;
    EXPECT_TRUE(m_store.All().empty()) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Errors, HandlerErrorTest,
    testing::Values(
        ErrorCase{"malformed", "<comver>1.0", ServiceStatus::MalformedEnvelope},
        ErrorCase{"wrong version",
                  "<comver>0.9</comver><conmeth>direct</conmeth><prod>vmr</prod><op>ListPackages</op>",
                  ServiceStatus::UnsupportedVersion},
        ErrorCase{"wrong product",
                  "<comver>1.0</comver><conmeth>direct</conmeth><prod>abc</prod><op>ListPackages</op>",
                  ServiceStatus::UnknownProduct},
        ErrorCase{"unknown operation", kHeader + "<op>Upload</op>", ServiceStatus::UnknownOperation},
        ErrorCase{"list of another type", kHeader + "<op>ListPackages</op><type>voice</type>",
                  ServiceStatus::UnknownPackageType},
        ErrorCase{"list without type", kHeader + "<op>ListPackages</op>", ServiceStatus::UnknownPackageType},
        ErrorCase{"unknown package", Download("Bob"), ServiceStatus::UnknownPackage},
        ErrorCase{"package in other case", Download("anna"), ServiceStatus::UnknownPackage},
        ErrorCase{"package outside the catalogue", Download("../catalog/Anna"),
                  ServiceStatus::UnknownPackage},
        ErrorCase{"empty package name", Download(""), ServiceStatus::UnknownPackage},
        ErrorCase{"no record", Request("", "Jane", "j@x"), ServiceStatus::MissingFields},
        ErrorCase{"blank requester", Request("Ann", "   ", "j@x"), ServiceStatus::MissingFields},
        ErrorCase{"no email", Request("Ann", "Jane", ""), ServiceStatus::MissingFields},
        ErrorCase{"record element left out",
                  kHeader + "<op>NameRequest</op><request>Jane</request><email>j@x</email>",
                  ServiceStatus::MissingFields},
        ErrorCase{"too long",
                  Request("Ann", "Jane", "j@x", "", std::string(CServiceHandler::kMaxEnvelopeBytes, 'c')),
                  ServiceStatus::EnvelopeTooLong}));

TEST_F(HandlerTest, UnknownPackageMessageNamesTheRequestInertly)
{
    const auto reply = Call(Download("Bo</rm><rc>0"));
    EXPECT_EQ(reply.rc, StatusCode(ServiceStatus::UnknownPackage));
    EXPECT_NE(reply.rm.find("Requested: Bo/rmrc0"), std::string::npos) << reply.rm;
}

TEST_F(HandlerTest, FailingStoreIsReportedToTheClientAndInTheNote)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((m_dir / "requests.db").string().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "DROP TABLE name_requests", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    ServiceCall raw;
    const auto reply = Call(Request("Ann", "Jane", "j@x"), &raw);
    EXPECT_EQ(reply.rc, StatusCode(ServiceStatus::StoreFailed));
    EXPECT_NE(raw.note.find("name_requests"), std::string::npos) << raw.note;
}

} // namespace
