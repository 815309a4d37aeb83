// Hidden players on the system's media player window: clips open in milliseconds, a missing clip gives
// a player that will not play instead of the player's own modal error box, players end with their
// parent.
#include "platform/media/MCIWnd.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/PlayedSound.h"
#include "tests/support/WaveClip.h"

namespace {

class PlayerWin32Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() /
                   ("zentrimo-player-" + std::to_string(GetCurrentProcessId()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override
    {
        for (HMCIWND p : m_players)
            MCIWndDestroy(p);
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    std::string Place(const WaveClip& clip, const std::string& name)
    {
        clip.Write(m_folder / name);
        return (m_folder / name).string();
    }
    HMCIWND Create(const std::string& path, HWND parent = nullptr)
    {
        HMCIWND p = MCIWndCreate(parent, nullptr, WS_CHILD, path.c_str());
        m_players.push_back(p);
        return p;
    }

    std::filesystem::path m_folder;
    std::vector<HMCIWND> m_players;
};

// Under the system's default the player would stop here with a modal "MCI Error" box: the test would
// then never return.
TEST_F(PlayerWin32Test, MissingClipGivesAHiddenPlayerThatWillNotPlay)
{
    HMCIWND p = Create((m_folder / "missing.wav").string());
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(IsWindow(p));
    EXPECT_FALSE(IsWindowVisible(p));
    EXPECT_EQ(MCIWndSendMessage(p, MCIWNDM_GETMODEA, 0, 0), MCI_MODE_NOT_READY);
    EXPECT_NE(MCIWndSendMessage(p, MCI_PLAY, 0, 0), MCI_MODE_PLAY);
    EXPECT_NE(MCIWndSendMessage(p, MCIWNDM_GETMODEA, 0, 0), MCI_MODE_PLAY);
}

TEST_F(PlayerWin32Test, BrokenClipGivesAPlayerThatIsNotReady)
{
    const std::filesystem::path broken = m_folder / "broken.wav";
    std::ofstream(broken, std::ios::binary) << "RIFF\x04\0\0\0WAVEjunk";
    HMCIWND p = Create(broken.string());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(MCIWndSendMessage(p, MCIWNDM_GETMODEA, 0, 0), MCI_MODE_NOT_READY);
}

TEST_F(PlayerWin32Test, ClipOpensStoppedWithItsLengthInMilliseconds)
{
    const WaveClip clip = WaveClip::Make(1, 8000, 8, 16000, 7); // two seconds
    HMCIWND p = Create(Place(clip, "two seconds.wav"));
    ASSERT_NE(p, nullptr);
    EXPECT_FALSE(IsWindowVisible(p));
    EXPECT_EQ(MCIWndSendMessage(p, MCIWNDM_GETMODEA, 0, 0), MCI_MODE_STOP);
    EXPECT_EQ(MCIWndSendMessage(p, MCIWNDM_SETTIMEFORMATA, 0, reinterpret_cast<std::intptr_t>("ms")), 0);
    EXPECT_EQ(MCIWndSendMessage(p, MCIWNDM_GETLENGTH, 0, 0), 2000);
}

TEST_F(PlayerWin32Test, DestroyingAParentsPlayersLeavesOthers)
{
    const std::string path = Place(WaveClip::Make(1, 8000, 8, 800, 3), "short.wav");
    HWND parent =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    HMCIWND first = Create(path, parent);
    HMCIWND second = Create(path, parent);
    HMCIWND other = Create(path);
    MCIWndDestroyChildren(parent);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(IsWindow(second));
    EXPECT_TRUE(IsWindow(other));
    EXPECT_EQ(MCIWndSendMessage(first, MCIWNDM_GETMODEA, 0, 0), MCIERR_UNRECOGNIZED_COMMAND);
    DestroyWindow(parent);
}

TEST_F(PlayerWin32Test, PlayedClipReachesTheSoundDeviceSampleForSample)
{
    PlayedSound sound;
    const WaveClip clip = WaveClip::Make(1, 8000, 8, 6000, 11);
    HMCIWND p = Create(Place(clip, "clip.wav"));
    ASSERT_EQ(MCIWndSendMessage(p, MCI_PLAY, 0, 0), 0);
    MCIWndWaitStopped(p);
    MCIWndDestroy(p); // closes the device, so that the capture is complete
    m_players.clear();
    EXPECT_TRUE(PlayedExactly(sound.Samples(), clip));
}

} // namespace
