// Temporary files beside their targets: hidden, unique, exclusive, locked, and swept when left by a dead run.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/fs/CTempFile.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/WinPath.h"
#include "tests/support/ScratchDir.h"

namespace {

std::string Win(const std::filesystem::path& p)
{
    return winpath::ToWindows(p);
}

void Write(const std::filesystem::path& p, const std::string& text)
{
    std::ofstream(p, std::ios::binary) << text;
}

std::string Read(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> Listing(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(folder))
        names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A child process that makes a temporary for target, tells the parent through a pipe, then either is
// killed at once or waits until the parent closes the pipe.
pid_t ChildWithTemp(const std::string& target, bool killed, int& keepAlive)
{
    int ready[2];
    int hold[2];
    if (::pipe(ready) != 0 || ::pipe(hold) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(ready[0]);
        ::close(hold[1]);
        CTempFile temp;
        const char ok = temp.Create(target) ? '1' : '0';
        if (::write(ready[1], &ok, 1) != 1 || killed)
            ::kill(::getpid(), SIGKILL);
        char c;
        while (::read(hold[0], &c, 1) > 0) {
        }
        ::_exit(0); // the parent's clean-up decides; no destructors
    }
    ::close(ready[1]);
    ::close(hold[0]);
    char ok = 0;
    if (::read(ready[0], &ok, 1) != 1 || ok != '1')
        ADD_FAILURE() << "the child made no temporary";
    ::close(ready[0]);
    keepAlive = hold[1];
    return pid;
}

} // namespace

TEST(TempFile, HiddenBesideTheTargetUniqueAndGoneUnlessMovedIntoPlace)
{
    ScratchDir dir("tmpfile");
    Write(dir / "target.wav", "old");
    std::string leftPath;
    {
        CTempFile first;
        CTempFile second;
        ASSERT_TRUE(first.Create(Win(dir / "target.wav")));
        ASSERT_TRUE(second.Create(Win(dir / "target.wav")));
        EXPECT_NE(first.GetPath(), second.GetPath());
        const std::filesystem::path host = winpath::ToHost(first.GetPath());
        EXPECT_EQ(host.parent_path(), dir.Path());
        EXPECT_EQ(host.filename().string().rfind(".target.wav.~", 0), 0u) << host;
        struct stat st;
        ASSERT_EQ(0, ::stat(host.c_str(), &st));
        const mode_t mask = ::umask(0);
        ::umask(mask);
        EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask) << "the mode a new file gets";

        Write(host, "new");
        ASSERT_TRUE(first.MoveIntoPlace());
        EXPECT_FALSE(first.IsCreated());
        EXPECT_EQ(Read(dir / "target.wav"), "new");
        leftPath = second.GetPath();
        EXPECT_TRUE(FileExists(leftPath));
    }
    EXPECT_FALSE(FileExists(leftPath)) << "removed when its object goes";
    EXPECT_EQ(Listing(dir.Path()), std::vector<std::string>{"target.wav"});
}

TEST(TempFile, MoveOverAFolderFailsAndTheTemporaryStaysOurs)
{
    ScratchDir dir("tmpfolder");
    std::filesystem::create_directory(dir / "busy.wav");
    CTempFile temp;
    ASSERT_TRUE(temp.Create(Win(dir / "busy.wav")));
    EXPECT_FALSE(temp.MoveIntoPlace());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "busy.wav"));
    EXPECT_TRUE(FileExists(temp.GetPath()));
    temp.Remove();
    EXPECT_EQ(Listing(dir.Path()), std::vector<std::string>{"busy.wav"});
    EXPECT_FALSE(temp.Create(Win(dir / "missing" / "x.wav"))) << "no folder to make it in";
}

TEST(TempFile, StaleTemporariesOfAKilledRunAreSweptLiveOnesAndOthersKept)
{
    ScratchDir dir("tmpstale");
    const std::string archive = Win(dir / "VMRNames.zip");
    int killedPipe = -1;
    const pid_t killed = ChildWithTemp(archive, true, killedPipe);
    ASSERT_GT(killed, 0);
    int status = 0;
    ::waitpid(killed, &status, 0);
    ::close(killedPipe);
    ASSERT_TRUE(WIFSIGNALED(status));

    int alivePipe = -1;
    const pid_t alive = ChildWithTemp(archive, false, alivePipe);
    ASSERT_GT(alive, 0);
    CTempFile ours;
    ASSERT_TRUE(ours.Create(archive));
    Write(dir / ".Other.zip.~abcdef", "another target's");
    Write(dir / ".VMRNames.zip.~toolong", "not our pattern");
    std::filesystem::create_symlink(dir / "elsewhere", dir / ".VMRNames.zip.~linked");
    ASSERT_EQ(Listing(dir.Path()).size(), 6u);

    EXPECT_EQ(1, RemoveStaleTempFiles({archive}));
    EXPECT_TRUE(FileExists(ours.GetPath()));
    EXPECT_EQ(Listing(dir.Path()).size(), 5u) << "only the killed run's temporary went";
    EXPECT_TRUE(std::filesystem::exists(dir / ".Other.zip.~abcdef"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / ".VMRNames.zip.~linked"));

    ::close(alivePipe);
    ::waitpid(alive, &status, 0);
    EXPECT_EQ(1, RemoveStaleTempFiles({archive})) << "the ended run's temporary is stale now";
    EXPECT_TRUE(FileExists(ours.GetPath()));
}
