// The name list on the real main window: fetched from a service, sorted, followed by the typing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/ui/linux/WidgetOf.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/ServiceProcess.h"
#include "tests/support/WholeItems.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

class NameListWindowTest : public MainWindowTest
{
protected:
    // The web-connected layout with the given names served in that order.
    void OpenWithNames(const std::vector<std::string>& names)
    {
        PlaceVelmora();
        ServeNames(names);
        Open();
        ClickWeb();
        ASSERT_TRUE(Peek(*dlg).m_bWebScenario);
    }

    void Type(const std::string& text) { Peek(*dlg).m_editSearchText.SetWindowText(text); }
};

} // namespace

TEST_F(NameListWindowTest, ServiceOrderIsShownSortedIgnoringCase)
{
    OpenWithNames({"bob", "Anna", "anna", "Carl"});
    const std::vector<std::string> sorted = {"Anna", "anna", "bob", "Carl"};
    EXPECT_EQ(Peek(*dlg).m_nameList, sorted);
    EXPECT_EQ(ListItems(), sorted);
    ASSERT_EQ(service.Requests().size(), 1u);
    std::string target = service.Requests()[0].target; // angle brackets travel percent-encoded
    for (const auto& [code, c] : {std::pair{"%3C", "<"}, std::pair{"%3E", ">"}})
        for (size_t at; (at = target.find(code)) != std::string::npos;)
            target.replace(at, 3, c);
    EXPECT_EQ(target, std::string(kServicePath) +
                          "?clientXMLString=<comver>1.0</comver><conmeth>direct</conmeth>"
                          "<prod>vmr</prod><op>ListPackages</op><type>name</type>");
}

TEST_F(NameListWindowTest, ListViewsShowEveryNameWhole)
{
    OpenWithNames({"Zoe", "Anne-Sophie Delacroix", "Fran\u00e7ois", "Jean-Baptiste", "Dora", "Al"});
    auto* view = qobject_cast<QListWidget*>(WidgetOf(&Peek(*dlg).m_listNames));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(ItemsCutShort(*view), std::vector<std::string>{});
}

TEST_F(NameListWindowTest, TypingSelectsTheExactOrNextName)
{
    OpenWithNames({"Carl", "Annabel", "Anna"});
    struct Row
    {
        const char* text;
        int selected;
        const char* selectedName;
    };
    const Row rows[] = {
        {"ann", 0, ""}, {"ANNA", 0, "ANNA"},       {"annb", 2, ""},
        {"zz", 2, ""},  {"annabel", 1, "annabel"}, {"", 0, ""},
    };
    for (const Row& row : rows) {
        Type(row.text);
        EXPECT_EQ(Selected(), row.selected) << row.text;
        EXPECT_EQ(Peek(*dlg).m_listNames.GetSelectionMark(), row.selected) << row.text;
        EXPECT_EQ(Peek(*dlg).m_listNames.GetNextItem(row.selected, LVNI_SELECTED), -1)
            << "one selection: " << row.text;
        EXPECT_EQ(Peek(*dlg).m_listNames.GetItemState(row.selected, LVIS_FOCUSED), LVIS_FOCUSED) << row.text;
        EXPECT_TRUE(Peek(*dlg).m_listNames.IsItemFullyVisible(row.selected)) << row.text;
        EXPECT_EQ(Peek(*dlg).m_strSelectedName, row.selectedName) << row.text;
        EXPECT_EQ(Peek(*dlg).m_strSearchText, row.text);
    }
}

TEST_F(NameListWindowTest, LongListScrollsToTheSelection)
{
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i)
        names.push_back("Name" + std::to_string(1000 + i));
    OpenWithNames(names);
    EXPECT_TRUE(Peek(*dlg).m_listNames.IsItemFullyVisible(0));
    Type("name1150");
    EXPECT_EQ(Selected(), 150);
    EXPECT_FALSE(Peek(*dlg).m_listNames.IsItemFullyVisible(0)); // scrolled away from the start
    Type("name1000");
    EXPECT_EQ(Selected(), 0);
    EXPECT_TRUE(Peek(*dlg).m_listNames.IsItemFullyVisible(0));
}

TEST_F(NameListWindowTest, EmptyListSelectsNothing)
{
    OpenWithNames({});
    EXPECT_EQ(Peek(*dlg).m_listNames.GetItemCount(), 0);
    Type("anna");
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(Peek(*dlg).m_strSelectedName, "");
}

TEST_F(NameListWindowTest, DoubleClickPutsTheListedNameIntoTheSearchBox)
{
    OpenWithNames({"Anna", "Annabel", "Carl"});
    Type("ANNABEL");
    EXPECT_EQ(Peek(*dlg).m_strSelectedName, "ANNABEL");
    NMHDR header{};
    LRESULT result = 42;
    dlg->OnDblClkNameList(&header, &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Text(IDC_SEARCH_TEXT), "Annabel");
    EXPECT_EQ(Peek(*dlg).m_strSelectedName, "Annabel");
    EXPECT_EQ(Selected(), 1);
}

TEST_F(NameListWindowTest, DoubleClickWithoutASelectionMarkEmptiesTheBox)
{
    OpenWithNames({"Anna", "Carl"});
    Peek(*dlg).m_editSearchText.SetWindowText("Carl");
    Peek(*dlg).m_listNames.SetSelectionMark(-1);
    NMHDR header{};
    LRESULT result = 42;
    dlg->OnDblClkNameList(&header, &result);
    EXPECT_EQ(Text(IDC_SEARCH_TEXT), "");
    EXPECT_EQ(Peek(*dlg).m_strSelectedName, "");
    EXPECT_EQ(Selected(), 0); // the empty text leads to the first name
}

TEST_F(NameListWindowTest, ItemsWithoutADisplaynameAreSkipped)
{
    PlaceVelmora();
    service.Reply(
        kServicePath, 200,
        "<?xml version=\"1.0\"?>\r\n<string>&lt;OLVServerCall ver=\"1.0\"&gt;&lt;rc&gt;0&lt;/rc&gt;&lt;rm&gt;"
        "&lt;item&gt;&lt;package&gt;p&lt;/package&gt;&lt;/item&gt;"
        "&lt;item&gt;&lt;displayname&gt;Zoe&lt;/displayname&gt;&lt;/item&gt;&lt;/rm&gt;&lt;/OLVServerCall&gt;"
        "</string>\r\n");
    Open();
    ClickWeb();
    EXPECT_EQ(ListItems(), std::vector<std::string>{"Zoe"});
}

// A failed fetch leaves the list not fetched: the next scenario click asks the service again, in
// either layout, and a list once fetched is not asked for again.
class FailedFirstFetch : public NameListWindowTest
{
protected:
    void ServeBusy()
    {
        service.Reply(kServicePath, 200,
                      "<string>&lt;OLVServerCall "
                      "ver=\"1.0\"&gt;&lt;rc&gt;7&lt;/rc&gt;&lt;rm&gt;busy&lt;/rm&gt;</string>\r\n");
    }
};

TEST_F(FailedFirstFetch, FailedFirstFetchIsRetriedByTheNextWebClick)
{
    PlaceVelmora();
    ServeBusy();
    Open();
    script.ExpectBox("Error 7: busy", "names_gui_tests");
    ClickWeb();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(Peek(*dlg).m_bWebScenario);
    EXPECT_FALSE(Peek(*dlg).m_bNameListFetched);
    EXPECT_EQ(Peek(*dlg).m_listNames.GetItemCount(), 0);

    ServeNames({"Carl", "Anna"});
    ClickWeb(); // the checked web button again
    EXPECT_TRUE(Peek(*dlg).m_bNameListFetched);
    EXPECT_EQ(ListItems(), (std::vector<std::string>{"Anna", "Carl"}));
    Type("carl");
    EXPECT_EQ(Peek(*dlg).m_strSelectedName, "carl");

    ClickOffline();
    ClickWeb();
    EXPECT_EQ(ListItems(), (std::vector<std::string>{"Anna", "Carl"}));
    EXPECT_EQ(service.Requests().size(), 2u);
}

TEST_F(FailedFirstFetch, FailedFirstFetchIsRetriedByTheNextOfflineClick)
{
    ServeBusy();
    Open();
    script.ExpectBox("Error 7: busy", "names_gui_tests");
    ClickOffline();
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(Peek(*dlg).m_bNameListFetched);
    EXPECT_TRUE(Enabled(IDC_NAME_LIST));

    ServeNames({"Anna"});
    ClickOffline(); // the offline layout is already active
    EXPECT_EQ(ListItems(), std::vector<std::string>{"Anna"});
    ClickOffline();
    EXPECT_EQ(service.Requests().size(), 2u);
}

TEST_F(FailedFirstFetch, AnEmptyCatalogueCountsAsFetched)
{
    OpenWithNames({});
    EXPECT_TRUE(Peek(*dlg).m_bNameListFetched);
    ClickWeb();
    EXPECT_EQ(service.Requests().size(), 1u);
}

// The whole road through a real zentrimo-service over 127.0.0.1 with a published catalogue.
TEST_F(NameListWindowTest, NamesComeFromARealServiceSortedAndSearchable)
{
    const std::filesystem::path catalog = prefix.Root() / "catalog";
    const std::filesystem::path wav = prefix.Root() / "clip.wav";
    {
        std::ofstream out(wav, std::ios::binary);
        const unsigned char header[44] = {'R', 'I', 'F',  'F',  40,  0,   0,    0,    'W', 'A', 'V',
                                          'E', 'f', 'm',  't',  ' ', 16,  0,    0,    0,   1,   0,
                                          1,   0,   0x40, 0x1f, 0,   0,   0x40, 0x1f, 0,   0,   1,
                                          0,   8,   0,    'd',  'a', 't', 'a',  4,    0,   0,   0};
        out.write(reinterpret_cast<const char*>(header), sizeof header);
        out.write("\x80\x80\x80\x80", 4);
    }
    for (const char* name : {"Carl", "bob", "Annabel", "Anna"}) {
        std::string err;
        ASSERT_EQ(
            ServiceProcess::RunToEnd(
                {"publish", "--catalog", catalog.string(), name, wav.string(), wav.string()}, nullptr, &err),
            0)
            << err;
    }
    ServiceProcess process({"--listen", "127.0.0.1:0", "--catalog", catalog.string(), "--db",
                            (prefix.Root() / "requests.db").string()},
                           prefix.Root() / "service.log");
    PlaceVelmora();
    AppOptions options;
    options.serviceHost = "127.0.0.1:" + std::to_string(process.Port());
    options.probeHost = "probe.zentrimo.test";
    dlg = std::make_unique<CMainDlg>(options);
    ASSERT_TRUE(dlg->Create(IDD_MAIN_DIALOG));
    ClickWeb();
    EXPECT_EQ(ListItems(), (std::vector<std::string>{"Anna", "Annabel", "bob", "Carl"}));
    Type("annb");
    EXPECT_EQ(Selected(), 2);
    Type("anna");
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Peek(*dlg).m_strSelectedName, "anna");
    EXPECT_TRUE(script.Finished());
}
