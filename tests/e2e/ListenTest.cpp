// "Listen" on both builds: the installed names' list, and the clip the chosen name plays, sample for sample.
#include "tests/support/SampleRoadFixture.h"

#include <algorithm>
#include <fstream>

#include "platform/media/MCIWnd.h"
#include "platform/ui/CListCtrl.h"
#include "tests/support/PlayedSound.h"
#include "tests/support/WaveClip.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

class ListenTest : public SampleRoadTest
{
protected:
    void SetUp() override
    {
        computer.InstallVelmora();
        std::filesystem::create_directories(computer.NamesFolder());
        // Anna's marker without her recording; Bob's both; files that are not markers.
        for (const char* file : {"Anna^.wav", "Bob^.wav", "Zoë^.wav", "Carl.wav", "notes.txt"})
            std::ofstream(computer.NamesFolder() / Utf8Path(file)) << "RIFF";
        bob.Write(computer.NamesFolder() / "Bob.wav");
        zoe.Write(computer.NamesFolder() / Utf8Path("Zoë.wav"));
        sockets.connected = false;
        Open(false);
    }

    // Opens the installed names, double-clicks the named item and presses OK; the items it showed.
    std::vector<std::string> ChooseByDoubleClick(const std::string& name)
    {
        std::vector<std::string> items;
        script.ExpectDialog(IDD_INSTALLED_NAMES, [&](CDialog& d) {
            CListCtrl* list = static_cast<CListCtrl*>(d.GetDlgItem(IDC_INSTALLED_LIST));
            for (int i = 0; i < list->GetItemCount(); ++i)
                items.push_back(list->GetItemText(i, 0));
            const auto at = std::find(items.begin(), items.end(), name);
            list->SetSelectionMark(static_cast<int>(at - items.begin()));
            NMHDR hdr{list->GetSafeHwnd(), IDC_INSTALLED_LIST, NM_DBLCLK};
            d.SendMessage(WM_NOTIFY, IDC_INSTALLED_LIST, reinterpret_cast<LPARAM>(&hdr));
            d.OnOK();
        });
        dlg->OnListen(); // the button itself is enabled only with a connection
        EXPECT_TRUE(script.Finished());
        return items;
    }

    long PlayerMode() { return MCIWndSendMessage(Peek(*dlg).m_hPlayerWnd, MCIWNDM_GETMODEA, 0, 0); }

    PlayedSound sound;
    WaveClip bob = WaveClip::Make(1, 8000, 8, 700, 77);
    WaveClip zoe = WaveClip::Make(1, 8000, 8, 900, 78);
};

TEST_F(ListenTest, DoubleClickedNamePlaysItsOwnRecording)
{
    std::vector<std::string> items = ChooseByDoubleClick("Zoë");
    std::sort(items.begin(), items.end());
    EXPECT_EQ((std::vector<std::string>{"Anna", "Bob", "Zoë"}), items) << "the markers' names, accents kept";
    ASSERT_NE(nullptr, Peek(*dlg).m_hPlayerWnd);
    EXPECT_NE(MCI_MODE_NOT_READY, PlayerMode()) << "Zoë.wav opened";
    MCIWndWaitStopped(Peek(*dlg).m_hPlayerWnd);
    MCIWndDestroy(Peek(*dlg).m_hPlayerWnd); // the device closes, the capture is complete
    EXPECT_TRUE(PlayedExactly(sound.Samples(), zoe));

    ChooseByDoubleClick("Anna");
    ASSERT_NE(nullptr, Peek(*dlg).m_hPlayerWnd);
    EXPECT_EQ(MCI_MODE_NOT_READY, PlayerMode()) << "Anna has no recording: a silent player, no box";
}

} // namespace
