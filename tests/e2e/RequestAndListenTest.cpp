// The request form against a real service, and the list of names installed on this computer.
#include "names/dialogs/CInstalledNamesDlg.h"
#include "platform/fs/FileSystem.h"
#include "platform/media/MCIWnd.h"
#include "platform/ui/MessageBox.h"
#include "tests/e2e/DialogAnswers.h"
#include "tests/e2e/NameCommandsFixture.h"
#include "tests/support/PlayedSound.h"
#ifndef _WIN32
#include "tests/support/ServiceProcess.h"
#include "tests/support/MainDlgTestAccess.h"
#endif

namespace {

class RequestTest : public NameCommandsTest
{
protected:
    void SetUp() override
    {
        PlaceVelmora();
        Publish("Anna", 10);
        StartService();
        Open(true);
    }
#ifndef _WIN32
    std::string StoredRequests()
    {
        std::string out;
        ServiceProcess::RunToEnd({"requests", "--db", service.RequestStore().string()}, &out);
        return out;
    }
#endif
};

const char* const kThanks =
    "Thank you, Mira Stone.  Your request to record the name \"Zoë\" has been received.";

TEST_F(RequestTest, FormKeepsWhatWasTypedUntilTheServiceAcceptsIt)
{
    const Form typed{"Zoë", "ZO-ee", "Mira Stone", "", "two dots"};
    script.ExpectDialog(IDD_REQUEST_NAME, FillForm(typed, IDCANCEL));
    Peek(*dlg).m_btnRequestNewName.Click();
    EXPECT_TRUE(Peek(*dlg).m_requestForm.strRecordName.empty()) << "cancel drops the typing";

    script.ExpectDialog(IDD_REQUEST_NAME, FillForm(typed, IDOK));
    script.ExpectBox("Please fill out all the required fields.", "Incomplete request");
    Peek(*dlg).m_btnRequestNewName.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ("Mira Stone", Peek(*dlg).m_requestForm.strRequester);

    Form shown;
    Form complete = typed;
    complete.email = "mira@example.org";
    script.ExpectDialog(IDD_REQUEST_NAME, FillForm(complete, IDOK, &shown));
    script.ExpectBox(kThanks, AfxGetAppName());
    Peek(*dlg).m_btnRequestNewName.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ("Zoë", shown.record) << "the form reopened with the values typed before";
    EXPECT_EQ("ZO-ee", shown.pronunciation);
    EXPECT_EQ("Mira Stone", shown.requester);
    EXPECT_EQ("two dots", shown.comments);
    EXPECT_TRUE(Peek(*dlg).m_requestForm.strRecordName.empty());
    EXPECT_TRUE(Peek(*dlg).m_requestForm.strEmail.empty());

    script.ExpectDialog(IDD_REQUEST_NAME, FillForm({}, IDCANCEL, &shown));
    Peek(*dlg).m_btnRequestNewName.Click();
    EXPECT_TRUE(shown.record.empty() && shown.requester.empty() && shown.email.empty()) << "opens empty";
}

#ifndef _WIN32
// The service's store is read with its own command, a Linux program that Wine cannot start.
TEST_F(RequestTest, AcceptedRequestIsInTheServicesStoreLinuxOnly)
{
    script.ExpectDialog(IDD_REQUEST_NAME,
                        FillForm({"Zoë", "ZO-ee", "Mira Stone", "mira@example.org", "two dots"}, IDOK));
    script.ExpectBox(kThanks, AfxGetAppName());
    Peek(*dlg).m_btnRequestNewName.Click();
    ASSERT_TRUE(script.Finished());
    const std::string stored = StoredRequests();
    EXPECT_NE(std::string::npos, stored.find("Zoë")) << stored;
    EXPECT_NE(std::string::npos, stored.find("mira@example.org")) << stored;
    EXPECT_NE(std::string::npos, stored.find("ZO-ee")) << stored;
}
#endif

TEST_F(RequestTest, WithoutAConnectionTheFormIsNotShown)
{
    Peek(*dlg).m_bConnected = false;
    script.ExpectBox(
        "You must be connected to the internet in order to send a name request.  Please connect and "
        "try again.",
        "No Connection");
    Peek(*dlg).m_btnRequestNewName.Click();
    EXPECT_TRUE(script.dialogs.empty());
}

class InstalledNamesTest : public NameCommandsTest
{
protected:
    void SetUp() override
    {
        names = PlaceVelmora();
        std::filesystem::create_directories(names);
        // A killed run's temporary and a hidden file are no recorded names, whatever they hold.
        for (const char* file :
             {"Anna^.wav", "Bob^.wav", "x^.wav.bak", "Carl.wav", ".Anna^.wav.~k1lled", "Hid^.wav"})
            std::ofstream(names / file) << "RIFF";
        SetFileAttributes(WindowsPath(names / "Hid^.wav"), FILE_ATTRIBUTE_HIDDEN);
        bob.Write(names / "Bob.wav");
        sockets.connected = false;
        Open(false);
    }
    std::filesystem::path names;
    WaveClip bob = WaveClip::Make(1, 8000, 8, 700, 77);
};

// The list's items, as the dialog shows them.
std::vector<std::string> Items(CDialog& d)
{
    CListCtrl* list = static_cast<CListCtrl*>(d.GetDlgItem(IDC_INSTALLED_LIST));
    std::vector<std::string> items;
    for (int i = 0; i < list->GetItemCount(); ++i)
        items.push_back(list->GetItemText(i, 0));
    return items;
}

TEST_F(InstalledNamesTest, ListsCaretNamesAndPlaysOnlyADoubleClickedOne)
{
    PlayedSound sound;
    std::vector<std::string> listed;
    // A single click and OK plays nothing.
    script.ExpectDialog(IDD_INSTALLED_NAMES, [&](CDialog& d) {
        listed = Items(d);
        static_cast<CListCtrl*>(d.GetDlgItem(IDC_INSTALLED_LIST))->SetSelectionMark(0);
        d.OnOK();
    });
    dlg->OnListen(); // the button itself is enabled only with a connection
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ(nullptr, Peek(*dlg).m_hPlayerWnd);
    std::sort(listed.begin(), listed.end());
    // The last five characters go, whatever they are.
    const std::vector<std::string> expected = {"Anna", "Bob", "x^.wa"};
    EXPECT_EQ(expected, listed);

    script.ExpectDialog(IDD_INSTALLED_NAMES, [&](CDialog& d) {
        const std::vector<std::string> items = Items(d);
        const int bobIndex = static_cast<int>(std::find(items.begin(), items.end(), "Bob") - items.begin());
        CListCtrl* list = static_cast<CListCtrl*>(d.GetDlgItem(IDC_INSTALLED_LIST));
        list->SetSelectionMark(bobIndex);
        NMHDR hdr{list->GetSafeHwnd(), IDC_INSTALLED_LIST, NM_DBLCLK};
        d.SendMessage(WM_NOTIFY, IDC_INSTALLED_LIST, reinterpret_cast<LPARAM>(&hdr));
        d.OnOK();
    });
    dlg->OnListen();
    ASSERT_TRUE(script.Finished());
    ASSERT_NE(nullptr, Peek(*dlg).m_hPlayerWnd);
    MCIWndWaitStopped(Peek(*dlg).m_hPlayerWnd);
    MCIWndDestroy(Peek(*dlg).m_hPlayerWnd); // the device closes, the capture is complete
    EXPECT_TRUE(PlayedExactly(sound.Samples(), bob));
}

TEST_F(InstalledNamesTest, MissingNamesFolderGivesAnEmptyList)
{
    std::filesystem::remove_all(names);
    CInstalledNamesDlg picker;
    picker.SetVelmoraFolder(computer.VelmoraLocation());
    size_t count = 99;
    script.ExpectDialog(IDD_INSTALLED_NAMES, [&](CDialog& d) {
        count = Items(d).size();
        d.OnCancel();
    });
    EXPECT_EQ(IDCANCEL, picker.DoModal());
    EXPECT_EQ(0u, count);
    EXPECT_TRUE(picker.GetChosenName().empty());
}

} // namespace
