// Reading request envelopes the way the client composes them, values unescaped.
#include "server/CEnvelope.h"

#include <gtest/gtest.h>

namespace {

const std::string kHeader = "<comver>1.0</comver><conmeth>direct</conmeth><prod>vmr</prod>";

std::string NameRequestEnvelope(const std::string& record, const std::string& request,
                                const std::string& email, const std::string& pron,
                                const std::string& comments)
{
    return kHeader + "<op>NameRequest</op><record>" + record + "</record><request>" + request +
           "</request><email>" + email + "</email><pron>" + pron + "</pron><comments>" + comments +
           "</comments>";
}

struct FieldCase
{
    const char* label;
    std::string envelope;
    std::string tag;
    std::string expected;
};

void PrintTo(const FieldCase& c, std::ostream* os)
{
    *os << c.label;
}

class EnvelopeFieldTest : public testing::TestWithParam<FieldCase>
{
};

TEST_P(EnvelopeFieldTest, ValueArrivesAsComposed)
{
    const FieldCase& c = GetParam();
    const CEnvelope envelope = CEnvelope::Parse(c.envelope);
    ASSERT_EQ(envelope.Status(), ServiceStatus::Ok) << c.label;
    EXPECT_TRUE(envelope.Has(c.tag)) << c.label;
    EXPECT_EQ(envelope.Field(c.tag), c.expected) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Values, EnvelopeFieldTest,
    testing::Values(
        FieldCase{"list type", kHeader + "<op>ListPackages</op><type>name</type>", "type", "name"},
        FieldCase{"package name with blank and ampersand",
                  kHeader + "<op>DLRequest</op><type>name</type><packagename>Anne & Marie</packagename>",
                  "packagename", "Anne & Marie"},
        FieldCase{"package name holding its own closing tag",
                  kHeader + "<op>DLRequest</op><type>name</type><packagename>a</packagename>b</packagename>",
                  "packagename", "a</packagename>b"},
        FieldCase{"record with angle brackets", NameRequestEnvelope("<b>Bo</b>", "me", "m@x", "", ""),
                  "record", "<b>Bo</b>"},
        FieldCase{"requester whose value mimics the next tag's close",
                  NameRequestEnvelope("Ann", "x</request>y", "m@x", "", ""), "request", "x</request>y"},
        FieldCase{"comments with a closing record tag",
                  NameRequestEnvelope("Ann", "me", "m@x", "", "</record>!"), "comments", "</record>!"},
        FieldCase{"non-ASCII pronunciation", NameRequestEnvelope("Zoë", "me", "m@x", "zo-ë", ""), "pron",
                  "zo-ë"},
        FieldCase{"empty optional element", NameRequestEnvelope("Ann", "me", "m@x", "", ""), "pron", ""},
        FieldCase{"a repeated element folds into the value",
                  kHeader + "<op>ListPackages</op><type>name</type><type>name</type>", "type",
                  "name</type><type>name"},
        FieldCase{"email with plus and percent", NameRequestEnvelope("Ann", "me", "a+b%20@x", "", ""),
                  "email", "a+b%20@x"}));

struct StatusCase
{
    const char* label;
    std::string envelope;
    ServiceStatus expected;
};

void PrintTo(const StatusCase& c, std::ostream* os)
{
    *os << c.label;
}

class EnvelopeStatusTest : public testing::TestWithParam<StatusCase>
{
};

TEST_P(EnvelopeStatusTest, ReportsWhatIsWrong)
{
    const StatusCase& c = GetParam();
    EXPECT_EQ(CEnvelope::Parse(c.envelope).Status(), c.expected) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, EnvelopeStatusTest,
    testing::Values(
        StatusCase{"complete list request", kHeader + "<op>ListPackages</op><type>name</type>",
                   ServiceStatus::Ok},
        StatusCase{"empty", "", ServiceStatus::MalformedEnvelope},
        StatusCase{"plain text", "hello", ServiceStatus::MalformedEnvelope},
        StatusCase{"header cut short", "<comver>1.0</comver><conmeth>direct",
                   ServiceStatus::MalformedEnvelope},
        StatusCase{"header out of order",
                   "<conmeth>direct</conmeth><comver>1.0</comver><prod>vmr</prod><op>ListPackages</op>",
                   ServiceStatus::MalformedEnvelope},
        StatusCase{"white space between elements",
                   "<comver>1.0</comver> <conmeth>direct</conmeth><prod>vmr</prod><op>ListPackages</op>",
                   ServiceStatus::MalformedEnvelope},
        StatusCase{"operation never closed", kHeader + "<op>ListPackages", ServiceStatus::MalformedEnvelope},
        StatusCase{"wrong version",
                   "<comver>2.0</comver><conmeth>direct</conmeth><prod>vmr</prod><op>ListPackages</op>",
                   ServiceStatus::UnsupportedVersion},
        StatusCase{"version with a blank",
                   "<comver>1.0 </comver><conmeth>direct</conmeth><prod>vmr</prod><op>x</op>",
                   ServiceStatus::UnsupportedVersion},
        StatusCase{"wrong product",
                   "<comver>1.0</comver><conmeth>direct</conmeth><prod>VMR</prod><op>ListPackages</op>",
                   ServiceStatus::UnknownProduct},
        StatusCase{"unknown operation", kHeader + "<op>DeleteAll</op>", ServiceStatus::UnknownOperation},
        StatusCase{"operation in other case", kHeader + "<op>listpackages</op><type>name</type>",
                   ServiceStatus::UnknownOperation},
        StatusCase{"trailing text", kHeader + "<op>ListPackages</op><type>name</type>x",
                   ServiceStatus::MalformedEnvelope},
        StatusCase{"element of another operation",
                   kHeader + "<op>ListPackages</op><packagename>a</packagename>",
                   ServiceStatus::MalformedEnvelope},
        StatusCase{"elements in the wrong order",
                   kHeader + "<op>DLRequest</op><packagename>a</packagename><type>name</type>",
                   ServiceStatus::MalformedEnvelope},
        StatusCase{"last element unclosed", kHeader + "<op>DLRequest</op><type>name</type><packagename>Anna",
                   ServiceStatus::MalformedEnvelope},
        StatusCase{"optional elements left out",
                   kHeader + "<op>NameRequest</op><record>a</record><request>b</request><email>c</email>",
                   ServiceStatus::Ok},
        StatusCase{"operation without elements", kHeader + "<op>NameRequest</op>", ServiceStatus::Ok}));

TEST(EnvelopeTest, LeftOutElementsAreAbsentNotEmpty)
{
    const CEnvelope envelope =
        CEnvelope::Parse(kHeader + "<op>NameRequest</op><record>a</record><email>c</email>");
    ASSERT_EQ(envelope.Status(), ServiceStatus::Ok);
    EXPECT_EQ(envelope.Operation(), "NameRequest");
    EXPECT_TRUE(envelope.Has("record"));
    EXPECT_FALSE(envelope.Has("request"));
    EXPECT_EQ(envelope.Field("email"), "c");
}

} // namespace
