// Temporary files beside their targets: hidden, unique, exclusive, locked, and swept when left by a dead run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/fs/CFile.h"
#include "platform/fs/CTempFile.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/WinPath.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScratchDir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

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

// The child's part: makes a temporary for its target, says so, and holds it until its input ends; it
// then ends without removing it, as a run that dies does.
int HoldTemporary(const std::vector<std::string>& args)
{
    CTempFile temp;
    if (args.size() != 1 || !temp.Create(args[0])) {
        std::puts("no temporary");
        std::fflush(stdout);
        return 1;
    }
    std::printf("holding %s\n", temp.GetPath().c_str());
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    std::_Exit(0); // the test's clean-up decides; no destructors
}
const ChildRoleRegistration kHoldTemporary("hold-temporary", HoldTemporary);

// A run of this program holding a temporary for target, once it holds it.
std::unique_ptr<ChildProcess> ChildWithTemp(const std::string& target)
{
    auto child = std::make_unique<ChildProcess>("hold-temporary", std::vector<std::string>{target});
    const std::string said = child->ReadLine();
    EXPECT_EQ(0u, said.rfind("holding ", 0)) << "the child made no temporary: " << said;
    return child;
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
        const uint32_t attributes = GetFileAttributes(first.GetPath());
        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
        EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY);
#ifndef _WIN32
        // What Windows gives a new file, POSIX says with the mode.
        struct stat st;
        ASSERT_EQ(0, ::stat(host.c_str(), &st));
        const mode_t mask = ::umask(0);
        ::umask(mask);
        EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask) << "the mode a new file gets";
#endif

        // Written the way the program writes its temporaries: by name, through the file layer, sharing
        // reading with the handle that holds the lock.
        {
            CFile data(first.GetPath(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
            data.Write("new", 3);
        }
        ASSERT_TRUE(first.MoveIntoPlace());
        EXPECT_FALSE(first.IsCreated());
        EXPECT_EQ(Read(dir / "target.wav"), "new");
        leftPath = second.GetPath();
        EXPECT_TRUE(FileExists(leftPath));
    }
    EXPECT_FALSE(FileExists(leftPath)) << "removed when its object goes";
    EXPECT_EQ(Listing(dir.Path()), std::vector<std::string>{"target.wav"});
}

// A move into an empty place takes a free target and leaves any file there as it is, the temporary ours.
TEST(TempFile, MoveIntoEmptyPlaceNeverReplacesAFile)
{
    struct Case
    {
        const char* what;
        bool targetThere;
    };
    for (const Case c : {Case{"free target", false}, Case{"a file there", true}}) {
        ScratchDir dir("tmpempty");
        if (c.targetThere)
            Write(dir / "Names.zip", "theirs");
        CTempFile temp;
        ASSERT_TRUE(temp.Create(Win(dir / "Names.zip"))) << c.what;
        Write(winpath::ToHost(temp.GetPath()), "ours");
        EXPECT_EQ(temp.MoveIntoEmptyPlace(), !c.targetThere) << c.what;
        EXPECT_EQ(Read(dir / "Names.zip"), c.targetThere ? "theirs" : "ours") << c.what;
        EXPECT_EQ(temp.IsCreated(), c.targetThere) << c.what;
        temp.Remove();
        EXPECT_EQ(Listing(dir.Path()), std::vector<std::string>{"Names.zip"}) << c.what;
    }
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
    ASSERT_TRUE(ChildWithTemp(archive)->Kill());

    const std::unique_ptr<ChildProcess> alive = ChildWithTemp(archive);
    CTempFile ours;
    ASSERT_TRUE(ours.Create(archive));
    Write(dir / ".Other.zip.~abcdef", "another target's");
    Write(dir / ".VMRNames.zip.~toolong", "not our pattern");
    ASSERT_EQ(Listing(dir.Path()).size(), 5u);

    EXPECT_EQ(1, RemoveStaleTempFiles({archive}));
    EXPECT_TRUE(FileExists(ours.GetPath()));
    EXPECT_EQ(Listing(dir.Path()).size(), 4u) << "only the killed run's temporary went";
    EXPECT_TRUE(std::filesystem::exists(dir / ".Other.zip.~abcdef"));

    alive->CloseInput();
    EXPECT_EQ(0, alive->Wait());
    EXPECT_EQ(1, RemoveStaleTempFiles({archive})) << "the ended run's temporary is stale now";
    EXPECT_TRUE(FileExists(ours.GetPath()));
}

#ifndef _WIN32
// Links are a POSIX matter here: on Windows making one needs a right users lack, and the sweep there opens
// a link itself, never what it points to.
TEST(TempFile, PlantedLinkWithATemporarysNameIsNotSweptLinuxOnly)
{
    ScratchDir dir("tmplink");
    const std::string archive = Win(dir / "VMRNames.zip");
    std::filesystem::create_symlink(dir / "elsewhere", dir / ".VMRNames.zip.~linked");
    EXPECT_EQ(0, RemoveStaleTempFiles({archive}));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / ".VMRNames.zip.~linked"));
}
#endif
