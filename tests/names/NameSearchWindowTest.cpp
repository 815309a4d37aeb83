// Finding a name in the window's list on both builds, over the service's sample catalogue: typing a
// name selects it, focuses it and scrolls it into view; a double click takes the listed spelling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "tests/support/SampleRoadFixture.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

class NameSearchWindowTest : public SampleRoadTest
{
protected:
    void SetUp() override
    {
        computer.InstallVelmora();
        Open(true);
        ASSERT_EQ(service.Names().size(), Peek(*dlg).m_nameList.size());
    }

    int Position(const std::string& name)
    {
        const auto at = std::find(Peek(*dlg).m_nameList.begin(), Peek(*dlg).m_nameList.end(), name);
        return at == Peek(*dlg).m_nameList.end() ? -1 : static_cast<int>(at - Peek(*dlg).m_nameList.begin());
    }

    static std::string AsciiUpper(std::string text)
    {
        for (char& c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    }
};

TEST_F(NameSearchWindowTest, EveryTypedNameIsSelectedFocusedAndShown)
{
    for (const std::string& name : service.Names()) {
        for (const std::string& typed : {name, AsciiUpper(name)}) {
            Type(typed);
            const int at = Position(name);
            EXPECT_EQ(Selected(), at) << typed;
            EXPECT_EQ(Peek(*dlg).m_listNames.GetSelectionMark(), at) << typed;
            EXPECT_EQ(Peek(*dlg).m_listNames.GetNextItem(at, LVNI_SELECTED), -1)
                << "one selection: " << typed;
            EXPECT_EQ(Peek(*dlg).m_listNames.GetItemState(at, LVIS_FOCUSED), LVIS_FOCUSED) << typed;
            EXPECT_TRUE(Peek(*dlg).m_listNames.IsItemFullyVisible(at)) << typed;
            EXPECT_EQ(Peek(*dlg).m_strSelectedName, typed);
        }
    }
}

TEST_F(NameSearchWindowTest, DoubleClickTakesTheListedSpelling)
{
    Type("josé");
    NMHDR header{};
    LRESULT result = 42;
    dlg->OnDblClkNameList(&header, &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Text(IDC_SEARCH_TEXT), "José");
    EXPECT_EQ(Peek(*dlg).m_strSelectedName, "José");
    EXPECT_EQ(Selected(), Position("José"));
}

} // namespace
