// Hidden players on SDL's disk audio driver: what reaches the device, overlapping plays, failures.
#include "platform/media/MCIWnd.h"

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/support/WaveClip.h"
#include "tests/support/ScratchPrefix.h"

namespace {

constexpr unsigned long WS_CHILD = 0x40000000UL; // the child-window style the program passes

class PlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // SDL's disk driver writes what would be played to a file; it is read when audio starts, so
        // it is set before any play. It writes as fast as it can, unless a test wants real time.
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
    }
    void TearDown() override
    {
        for (HMCIWND p : m_players)
            MCIWndDestroy(p);
    }

    // Puts a clip on drive C: and returns its Windows-form path.
    std::string Place(const WaveClip& clip, const std::string& name)
    {
        clip.Write(m_prefix.DriveC() / name);
        return "C:\\" + name;
    }

    HMCIWND Create(const std::string& windowsPath, HWND parent = nullptr)
    {
        HMCIWND p = MCIWndCreate(parent, nullptr, WS_CHILD, windowsPath.c_str());
        m_players.push_back(p);
        return p;
    }

    // Each device writes to the file named when it is opened, which happens on play.
    long PlayInto(HMCIWND p, const std::filesystem::path& out)
    {
        setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
        EXPECT_EQ(0, MCIWndSendMessage(p, MCIWNDM_SETTIMEFORMATA, 0, reinterpret_cast<std::intptr_t>("ms")));
        return MCIWndSendMessage(p, MCI_PLAY, 0, 0);
    }

    ScratchPrefix m_prefix;
    std::vector<HMCIWND> m_players;
};

struct Format
{
    int channels, rate, bits;
};

class PlayerFormatTest : public PlayerTest, public ::testing::WithParamInterface<Format>
{
};

TEST_P(PlayerFormatTest, DeviceReceivesTheClipByteForByte)
{
    const Format f = GetParam();
    const WaveClip clip = WaveClip::Make(f.channels, f.rate, f.bits, 10007, 42);
    HMCIWND p = Create(Place(clip, "Anna.wav"));
    ASSERT_EQ(MCI_MODE_STOP, MCIWndSendMessage(p, MCIWNDM_GETMODEA, 0, 0)) << MCIWndGetError(p);

    const auto out = m_prefix.Root() / "out.raw";
    ASSERT_EQ(0, PlayInto(p, out)) << MCIWndGetError(p);
    MCIWndWaitStopped(p);

    EXPECT_EQ(MCI_MODE_STOP, MCIWndSendMessage(p, MCIWNDM_GETMODEA, 0, 0));
    EXPECT_TRUE(PlayedExactly(ReadAll(out), clip));
}

INSTANTIATE_TEST_SUITE_P(Formats, PlayerFormatTest,
                         ::testing::Values(Format{1, 8000, 8}, Format{2, 22050, 16}, Format{1, 44100, 16},
                                           Format{2, 11025, 8}),
                         [](const auto& row) {
                             return std::to_string(row.param.channels) + "ch" +
                                    std::to_string(row.param.rate) + "Hz" + std::to_string(row.param.bits) +
                                    "bit";
                         });

TEST_F(PlayerTest, TwoPlayersPlayAtOnceEachOnItsOwnDevice)
{
    const WaveClip anna = WaveClip::Make(1, 22050, 16, 30000, 7);
    const WaveClip bob = WaveClip::Make(1, 22050, 16, 20000, 99);
    HMCIWND first = Create(Place(anna, "Anna.wav"));
    HMCIWND second = Create(Place(bob, "Bob.wav"));

    ASSERT_EQ(0, PlayInto(first, m_prefix.Root() / "first.raw"));
    ASSERT_EQ(0, PlayInto(second, m_prefix.Root() / "second.raw"));
    MCIWndWaitStopped(first);
    MCIWndWaitStopped(second);

    EXPECT_TRUE(PlayedExactly(ReadAll(m_prefix.Root() / "first.raw"), anna));
    EXPECT_TRUE(PlayedExactly(ReadAll(m_prefix.Root() / "second.raw"), bob));
}

TEST_F(PlayerTest, PlayReturnsAtOnceAndASecondPlayerOfTheSameFileOverlapsTheFirst)
{
    unsetenv("SDL_DISKAUDIODELAY"); // real time: a one-second clip is still playing after both starts
    const WaveClip clip = WaveClip::Make(1, 8000, 8, 8000, 3);
    const std::string path = Place(clip, "Anna.wav");
    HMCIWND first = Create(path);
    HMCIWND second = Create(path);
    ASSERT_NE(first, second);

    ASSERT_EQ(0, PlayInto(first, m_prefix.Root() / "first.raw"));
    ASSERT_EQ(0, PlayInto(second, m_prefix.Root() / "second.raw"));
    EXPECT_EQ(MCI_MODE_PLAY, MCIWndSendMessage(first, MCIWNDM_GETMODEA, 0, 0));
    EXPECT_EQ(MCI_MODE_PLAY, MCIWndSendMessage(second, MCIWNDM_GETMODEA, 0, 0));

    MCIWndWaitStopped(first);
    MCIWndWaitStopped(second);
    EXPECT_TRUE(PlayedExactly(ReadAll(m_prefix.Root() / "first.raw"), clip));
    EXPECT_TRUE(PlayedExactly(ReadAll(m_prefix.Root() / "second.raw"), clip));
}

TEST_F(PlayerTest, DestroyingAParentsPlayersLeavesOthersPlaying)
{
    unsetenv("SDL_DISKAUDIODELAY");
    const WaveClip clip = WaveClip::Make(1, 8000, 8, 8000, 5);
    const std::string path = Place(clip, "Anna.wav");
    // Any distinct handles do as parents: players only remember them.
    int a = 0, b = 0;
    HWND windowA = reinterpret_cast<HWND>(&a), windowB = reinterpret_cast<HWND>(&b);
    HMCIWND mine = MCIWndCreate(windowA, nullptr, WS_CHILD, path.c_str());
    HMCIWND other = Create(path, windowB);
    ASSERT_EQ(0, PlayInto(mine, m_prefix.Root() / "mine.raw"));
    ASSERT_EQ(0, PlayInto(other, m_prefix.Root() / "other.raw"));

    MCIWndDestroyChildren(windowA);

    EXPECT_EQ(MCIERR_UNRECOGNIZED_COMMAND, MCIWndSendMessage(mine, MCIWNDM_GETMODEA, 0, 0));
    EXPECT_EQ(MCI_MODE_PLAY, MCIWndSendMessage(other, MCIWNDM_GETMODEA, 0, 0));
    EXPECT_EQ(0, MCIWndSendMessage(other, MCI_STOP, 0, 0));
    EXPECT_EQ(MCI_MODE_STOP, MCIWndSendMessage(other, MCIWNDM_GETMODEA, 0, 0));
}

TEST_F(PlayerTest, AStoppedPlayerPlaysTheClipAgainFromTheStart)
{
    const WaveClip clip = WaveClip::Make(2, 11025, 16, 5000, 11);
    HMCIWND p = Create(Place(clip, "Anna.wav"));
    ASSERT_EQ(0, PlayInto(p, m_prefix.Root() / "one.raw"));
    MCIWndWaitStopped(p);
    ASSERT_EQ(0, PlayInto(p, m_prefix.Root() / "two.raw"));
    MCIWndWaitStopped(p);
    EXPECT_TRUE(PlayedExactly(ReadAll(m_prefix.Root() / "two.raw"), clip));
}

TEST_F(PlayerTest, UnreadableClipGivesAPlayerThatPlaysNothing)
{
    std::ofstream(m_prefix.DriveC() / "Broken.wav") << "RIFF, but not really";
    for (const std::string path : {"C:\\Missing.wav", "C:\\Broken.wav", "Q:\\Unmapped.wav"}) {
        HMCIWND p = Create(path);
        ASSERT_NE(nullptr, p) << path;
        EXPECT_EQ(MCI_MODE_NOT_READY, MCIWndSendMessage(p, MCIWNDM_GETMODEA, 0, 0)) << path;
        const auto out = m_prefix.Root() / "never.raw";
        EXPECT_EQ(MCIERR_FILE_NOT_FOUND, PlayInto(p, out)) << path;
        EXPECT_FALSE(MCIWndGetError(p).empty()) << path;
        EXPECT_FALSE(std::filesystem::exists(out)) << path;
        MCIWndWaitStopped(p); // returns at once: nothing is playing
    }
}

TEST_F(PlayerTest, OnlyMillisecondsAreAcceptedAsTimeFormat)
{
    HMCIWND p = Create(Place(WaveClip::Make(1, 8000, 8, 100, 1), "Anna.wav"));
    EXPECT_EQ(0, MCIWndSendMessage(p, MCIWNDM_SETTIMEFORMATA, 0, reinterpret_cast<std::intptr_t>("MS")));
    EXPECT_EQ(MCIERR_BAD_TIME_FORMAT,
              MCIWndSendMessage(p, MCIWNDM_SETTIMEFORMATA, 0, reinterpret_cast<std::intptr_t>("frames")));
    EXPECT_EQ(MCIERR_UNRECOGNIZED_COMMAND, MCIWndSendMessage(p, 0x1234, 0, 0));
    EXPECT_EQ(MCIERR_UNRECOGNIZED_COMMAND, MCIWndSendMessage(nullptr, MCI_PLAY, 0, 0));
}

} // namespace
