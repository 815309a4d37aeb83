// XmlValue's substring rules: first tags from the start, negative lengths, the two error strings.
#include "service/XmlText.h"

#include <gtest/gtest.h>

namespace {

struct XmlCase
{
    const char* label;
    std::string text;
    std::string tag;
    std::string operation;
    std::string newValue;
    std::string expected;
};

std::ostream& operator<<(std::ostream& os, const XmlCase& c)
{
    return os << c.label;
}

class XmlValueTable : public testing::TestWithParam<XmlCase>
{
};

TEST_P(XmlValueTable, GivesTheExpectedText)
{
    const XmlCase& c = GetParam();
    EXPECT_EQ(service::XmlValue(c.text, c.tag, c.operation, c.newValue), c.expected) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Read, XmlValueTable,
    testing::Values(
        XmlCase{"second element", "<a>1</a><b>2</b>", "b", "Read", "", "2"},
        XmlCase{"first of repeated elements", "<i>x</i><i>y</i>", "i", "Read", "", "x"},
        XmlCase{"missing tag", "<a>1</a>", "c", "Read", "", "Value not found."},
        XmlCase{"opening tag missing", "1</a>", "a", "Read", "", "Value not found."},
        XmlCase{"closing tag missing", "<a>1", "a", "Read", "", "Value not found."},
        XmlCase{"closing tag first", "</b><b>2</b>", "b", "Read", "", ""},
        XmlCase{"empty element", "<rc></rc><rm>m</rm>", "rc", "Read", "", ""},
        XmlCase{"attributes are not matched", "<a x=\"1\">1</a>", "a", "Read", "", "Value not found."},
        XmlCase{"case matters", "<A>1</A>", "a", "Read", "", "Value not found."},
        XmlCase{"nested same name uses first closing tag", "<a>1<a>2</a>3</a>", "a", "Read", "", "1<a>2"},
        XmlCase{"entities stay", "<rm>a &amp; b</rm>", "rm", "Read", "", "a &amp; b"},
        XmlCase{"lower-case operation", "<a>1</a>", "a", "read", "", "Invalid Operation"},
        XmlCase{"unknown operation beats a missing tag", "", "a", "Delete", "", "Invalid Operation"}));

INSTANTIATE_TEST_SUITE_P(
    Write, XmlValueTable,
    testing::Values(XmlCase{"replaces only the content", "pre<a>old</a>post", "a", "Write", "new",
                            "pre<a>new</a>post"},
                    XmlCase{"into an empty element", "<a></a>", "a", "Write", "v", "<a>v</a>"},
                    XmlCase{"closing tag first inserts without removing", "</b><b>2</b>", "b", "Write", "N",
                            "</b><b>N2</b>"},
                    XmlCase{"opening tag missing", "x</a>", "a", "Write", "v", "Value not found."},
                    XmlCase{"empty new value", "<a>old</a>", "a", "Write", "", "<a></a>"},
                    XmlCase{"first element only", "<a>1</a><a>2</a>", "a", "Write", "9", "<a>9</a><a>2</a>"},
                    XmlCase{"capitalised operation", "<a>1</a>", "a", "WRITE", "v", "Invalid Operation"}));

} // namespace
