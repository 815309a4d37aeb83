// A later save adds to the transfer archive in place under an undo journal: it writes what the package
// costs, and a save killed at any point is undone by whoever opens the archive next.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>

#include "names/CNamePackage.h"
#include "names/CTransferArchive.h"
#include "platform/core/CException.h"
#include "platform/fs/CFile.h"
#include "platform/fs/CTempFile.h"
#include "platform/fs/FileSystem.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/strict/FaultSeam.h"
#include "tests/zip/ZipBuilder.h"
#include "tests/zip/ZipTestSupport.h"

namespace {

namespace fs = std::filesystem;
using ziptest::ReadBytes;
using ziptest::Win;
using ziptest::WriteBytes;

std::string Package(std::vector<RawEntry> entries)
{
    ZipBuilder b;
    b.entries = std::move(entries);
    return b.Build();
}

const std::string kAnna =
    Package({Entry("Anna.wav", std::string(3000, 'a')), Entry("Anna^.wav", "anna marker")});
const std::string kBob = Package({Entry("Bob.wav", std::string(2000, 'b')), Entry("Bob^.wav", "bob marker")});
const std::string kCarl =
    Package({Entry("Carl.wav", std::string(1000, 'c')), Entry("Carl^.wav", "carl mark")});

std::string SaveFolder(const fs::path& folder)
{
    return Win(folder) + "\\";
}

// Writes bytes over the existing file at path (a hidden temporary: opened, never created again, as
// Windows allows for a hidden file).
void WriteInto(const std::string& path, const std::string& bytes)
{
    CFile file(path, CFile::modeWrite | CFile::shareDenyWrite);
    file.Write(bytes.data(), static_cast<unsigned>(bytes.size()));
    file.SetLength(bytes.size());
}

// Where the central directory of an archive without a comment starts (its end record says).
size_t DirectoryOffset(const std::string& zip)
{
    const auto* end = reinterpret_cast<const unsigned char*>(zip.data() + zip.size() - 22);
    return end[16] | (end[17] << 8) | (end[18] << 16) | (size_t(end[19]) << 24);
}

// The names of folder's files, hidden ones (the archive's temporaries) included.
std::vector<std::string> Listing(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(folder)) {
        const std::u8string name = item.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += name + " ";
    return text;
}

// The child's part: saves package into the archive of folder with its nth file call and every later one
// failing, which leaves the files exactly as a run killed before that call leaves them, then waits to be
// killed. Says whether the save ran into the fault.
int SaveDyingAt(const std::vector<std::string>& args)
{
    if (args.size() != 3)
        return 2;
    CTransferArchive transfer(args[0]);
    {
        strict::ArmedFileFault fault(std::strtoul(args[2].c_str(), nullptr, 10), strict::FileFault::DiskFull,
                                     true);
        try {
            transfer.AddPackage(args[1]);
        } catch (...) {
        }
        std::printf("stopped %d\n", fault.Fired() ? 1 : 0);
    }
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    std::_Exit(0);
}
const ChildRoleRegistration kSaveDyingAt("save-dying-at", SaveDyingAt);

// The child's part: holds a temporary of the archive args[1] with the bytes of args[0] (a killed save's
// journal) in it, as a save still running holds its journal.
int HoldJournal(const std::vector<std::string>& args)
{
    CTempFile journal;
    if (args.size() != 2 || !journal.Create(args[1]))
        return 2;
    WriteInto(journal.GetPath(), ReadBytes(winpath::ToHost(args[0])));
    std::printf("holding\n");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    std::_Exit(0);
}
const ChildRoleRegistration kHoldJournal("hold-journal", HoldJournal);

class SaveJournal : public testing::Test
{
protected:
    ScratchDir dir{"save-journal"};
    fs::path save = dir / "Save";
    fs::path archive = save / "VMRNames.zip";
    std::string before; // the archive of Anna's names
    std::string after;  // ... with Bob's added

    void SetUp() override
    {
        fs::create_directories(save);
        WriteBytes(dir / "Bob.zip", kBob);
        WriteBytes(dir / "Carl.zip", kCarl);
        WriteBytes(archive, kAnna);
        before = kAnna;
        ASSERT_TRUE(CTransferArchive(SaveFolder(save)).AddPackage(Win(dir / "Bob.zip")));
        after = ReadBytes(archive);
        WriteBytes(archive, before);
    }

    // Runs the save of Bob in a child killed at its nth file call; whether the save met the fault.
    bool KillSaveAt(unsigned long n)
    {
        ChildProcess child("save-dying-at", {SaveFolder(save), Win(dir / "Bob.zip"), std::to_string(n)});
        const std::string said = child.ReadLine();
        EXPECT_EQ(0u, said.rfind("stopped ", 0)) << "the child did not save: " << said;
        child.Kill();
        return said == "stopped 1";
    }

    // The temporaries of the archive in the save folder.
    std::vector<fs::path> Temporaries()
    {
        std::vector<fs::path> found;
        for (const auto& item : fs::directory_iterator(save))
            if (item.path().filename().string().rfind(".VMRNames.zip.~", 0) == 0)
                found.push_back(item.path());
        return found;
    }

    // Kills saves at their 1st, 2nd ... file call until one leaves the archive changed with its journal
    // beside it; false when none does.
    bool KillSaveHalfWay()
    {
        for (unsigned long n = 1; n < 200 && KillSaveAt(n); ++n) {
            if (ReadBytes(archive) != before && Temporaries().size() == 1)
                return true;
            WriteBytes(archive, before);
            for (const fs::path& temporary : Temporaries())
                fs::remove(temporary);
        }
        return false;
    }
};

// Every save copied the whole archive to a work file and moved the copy over it: the 300th save wrote
// every name saved before it. Now a save into an archive 8 MB larger makes no more file calls (each write
// is one) and leaves the archive's bytes before its old directory as they were, in the same file.
TEST_F(SaveJournal, SaveThatCopiedTheWholeArchiveWritesOnlyWhatThePackageAdds)
{
    const std::string big = Package(
        {Entry("Anna.wav", std::string(3000, 'a')), Entry("Zeta.wav", ziptest::Pattern(8u << 20), 0)});
    unsigned long calls[2];
    for (int i = 0; i < 2; ++i) {
        const std::string old = i == 0 ? kAnna : big;
        WriteBytes(archive, old);
        strict::ArmedFileFault counting(0, strict::FileFault::DiskFull);
        ASSERT_TRUE(CTransferArchive(SaveFolder(save)).AddPackage(Win(dir / "Bob.zip")));
        calls[i] = counting.Calls();
        const std::string now = ReadBytes(archive);
        const size_t directory = DirectoryOffset(old);
        EXPECT_EQ(now.substr(0, directory), old.substr(0, directory)) << i;
    }
    EXPECT_GT(calls[0], 3u) << "the seam saw no file calls";
    EXPECT_EQ(calls[1], calls[0]) << "the save's file calls grew with the archive";
}

// A save killed at every file call in turn: the next save and the install of saved names each find the
// archive as it was before the killed save, or as after it, never in between, and leave no temporary.
TEST_F(SaveJournal, KilledSaveIsUndoneByTheNextSaveAndByTheInstallOfSavedNames)
{
    unsigned long n = 1;
    bool diedHalfWay = false;
    for (; n < 200; ++n) {
        WriteBytes(archive, before);
        fs::remove_all(dir / "Carried");
        fs::remove_all(dir / "Names");
        const bool fired = KillSaveAt(n);
        const std::string where = "killed at file call " + std::to_string(n);
        diedHalfWay = diedHalfWay || (ReadBytes(archive) != before && ReadBytes(archive) != after);
        // The archive carried to the other computer, the journal with it (the folder copied whole).
        fs::copy(save, dir / "Carried");
        fs::create_directories(dir / "Names");

        // The install of saved names.
        const std::string carried = Win(dir / "Carried" / "VMRNames.zip");
        CTransferArchive::UndoKilledSave(carried);
        const std::string installed = ReadBytes(dir / "Carried" / "VMRNames.zip");
        EXPECT_TRUE(installed == before || installed == after) << where;
        CNamePackage::ExtractAll(carried, Win(dir / "Names"));
        const std::vector<std::string> names = Listing(dir / "Names");
        EXPECT_EQ(Joined(names),
                  installed == before ? "Anna.wav Anna^.wav " : "Anna.wav Anna^.wav Bob.wav Bob^.wav ")
            << where;
        EXPECT_EQ(Listing(dir / "Carried"), std::vector<std::string>{"VMRNames.zip"}) << where;

        // The next save.
        CTransferArchive transfer(SaveFolder(save));
        transfer.RemoveStaleTemporaries();
        const std::string undone = ReadBytes(archive);
        EXPECT_TRUE(undone == before || undone == after) << where;
        EXPECT_EQ(Listing(save), std::vector<std::string>{"VMRNames.zip"}) << where;
        EXPECT_TRUE(transfer.AddPackage(Win(dir / "Carl.zip"))) << where;
        if (!fired || HasFailure())
            break;
    }
    EXPECT_TRUE(diedHalfWay) << "no kill fell while the archive was being changed";
    EXPECT_GT(n, 5u) << "the save made almost no file calls: the seam sees nothing";
}

TEST_F(SaveJournal, JournalThatARunningSaveHoldsIsLeftAlone)
{
    ASSERT_TRUE(KillSaveHalfWay());
    const std::string halfWay = ReadBytes(archive);
    const fs::path kept = dir / "journal";
    fs::rename(Temporaries().front(), kept);
    {
        ChildProcess holder("hold-journal", {Win(kept), Win(archive)});
        ASSERT_EQ(holder.ReadLine(), "holding");
        CTransferArchive::UndoKilledSave(Win(archive));
        EXPECT_EQ(ReadBytes(archive), halfWay) << "the running save's archive was put back under it";
        EXPECT_EQ(Temporaries().size(), 1u) << "the running save's journal was taken";
        holder.Kill();
    }
    CTransferArchive::UndoKilledSave(Win(archive));
    EXPECT_EQ(ReadBytes(archive), before);
    EXPECT_TRUE(Temporaries().empty());
}

// A journal is acted on only when complete and intact: one cut short belongs to a save killed before it
// changed anything; anything else of the archive's temporaries is not a journal at all.
TEST_F(SaveJournal, OnlyACompleteJournalPutsTheArchiveBack)
{
    ASSERT_TRUE(KillSaveHalfWay());
    const std::string halfWay = ReadBytes(archive);
    const std::string journal = ReadBytes(Temporaries().front());
    fs::remove(Temporaries().front());
    constexpr size_t kAll = std::string::npos;
    struct Case
    {
        const char* what;
        size_t keep;   // bytes of the journal kept
        size_t flipAt; // a byte changed
        bool putsBack;
    };
    const Case cases[] = {
        {"intact", kAll, kAll, true},
        {"cut short by its last byte", journal.size() - 1, kAll, false},
        {"cut short after its head", 24, kAll, false},
        {"empty", 0, kAll, false},
        {"one tail byte changed", kAll, 30, false},
        {"its length changed", kAll, 8, false},
        {"another temporary (a download)", kAll, kAll, false},
    };
    for (const Case& c : cases) {
        WriteBytes(archive, halfWay);
        CTempFile left;
        ASSERT_TRUE(left.Create(Win(archive)));
        std::string tampered =
            c.putsBack || c.keep != kAll || c.flipAt != kAll ? journal.substr(0, c.keep) : kBob;
        if (c.flipAt != kAll)
            tampered.replace(c.flipAt, 1, 1, static_cast<char>(tampered.at(c.flipAt) ^ 1));
        WriteInto(left.GetPath(), tampered);
        left.Abandon();
        CTransferArchive::UndoKilledSave(Win(archive));
        EXPECT_EQ(ReadBytes(archive), c.putsBack ? before : halfWay) << c.what;
        EXPECT_TRUE(Temporaries().empty()) << c.what;
    }
}

// The child's part: once its input ends (the start, given to every child at once), saves the package
// args[1] into the archive of the save folder args[0] as the save command does, by way of a temporary
// beside the archive; says "saved", or "refused " and the error's message.
int SaveTogether(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        return 2;
    std::printf("ready\n");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    std::string said;
    try {
        CTransferArchive transfer(args[0]);
        transfer.RemoveStaleTemporaries();
        CTempFile package;
        if (!package.Create(transfer.GetPath()))
            return 3;
        WriteInto(package.GetPath(), ReadBytes(winpath::ToHost(args[1])));
        const bool saved =
            transfer.Exists() ? transfer.AddPackage(package.GetPath()) : transfer.AdoptPackage(package);
        said = saved ? "saved" : "full";
    } catch (CException& e) {
        said = "refused " + e.GetErrorMessage();
    }
    std::printf("%s\n", said.c_str());
    std::fflush(stdout);
    return 0;
}
const ChildRoleRegistration kSaveTogether("save-together", SaveTogether);

// Two saves into one archive at the same moment (the dialog and a script, or two scripts) both appended
// at the old directory's place on Linux: the archive came out damaged, or without one of the names whose
// save had said it was done. Now the second save is refused while the first holds the archive, naming it;
// every name saved reads back, by this program and by the peers. Rounds alternate between two first saves
// (no archive yet) and two later ones.
TEST(SaveTogether, TwoSavesAtOnceThatDamagedTheArchiveKeepEverySavedNameAndReferTheOther)
{
    ScratchDir dir{"save-together"};
    const std::string packages[2] = {kAnna, kBob};
    const std::set<std::string> names[2] = {{"Anna.wav", "Anna^.wav"}, {"Bob.wav", "Bob^.wav"}};
    for (int i = 0; i < 2; ++i)
        WriteBytes(dir / ("p" + std::to_string(i) + ".zip"), packages[i]);
    int refused = 0;
    for (int round = 0; round < 16 && !HasFailure(); ++round) {
        const std::string where = "round " + std::to_string(round);
        const fs::path save = dir / ("Save" + std::to_string(round));
        fs::create_directories(save);
        std::set<std::string> expected;
        if (round % 2 == 1) {
            WriteBytes(save / "VMRNames.zip", kCarl);
            expected = {"Carl.wav", "Carl^.wav"};
        }
        std::unique_ptr<ChildProcess> savers[2];
        for (int i = 0; i < 2; ++i) {
            savers[i] = std::make_unique<ChildProcess>(
                "save-together",
                std::vector<std::string>{SaveFolder(save), Win(dir / ("p" + std::to_string(i) + ".zip"))});
            ASSERT_EQ(savers[i]->ReadLine(), "ready") << where;
        }
        for (auto& saver : savers)
            saver->CloseInput();
        bool anySaved = false;
        for (int i = 0; i < 2; ++i) {
            const std::string said = savers[i]->ReadLine();
            EXPECT_EQ(savers[i]->Wait(), 0) << where;
            if (said == "saved") {
                anySaved = true;
                expected.insert(names[i].begin(), names[i].end());
                continue;
            }
            ++refused;
            EXPECT_EQ(said.rfind("refused ", 0), 0u) << where << ": " << said;
            EXPECT_NE(said.find("VMRNames.zip: the file is in use by another program"), std::string::npos)
                << where << ": " << said;
        }
        EXPECT_TRUE(anySaved) << where << ": both saves were refused";
        EXPECT_EQ(Listing(save), std::vector<std::string>{"VMRNames.zip"}) << where;

        const fs::path installed = dir / ("Names" + std::to_string(round));
        fs::create_directories(installed);
        try {
            CNamePackage::ExtractAll(Win(save / "VMRNames.zip"), Win(installed));
        } catch (CException& e) {
            ADD_FAILURE() << where << ": " << e.GetErrorMessage();
        }
        const std::vector<std::string> got = Listing(installed);
        EXPECT_EQ(std::set<std::string>(got.begin(), got.end()), expected) << where;
#ifndef _WIN32
        const std::string archive = ziptest::Quote(save / "VMRNames.zip");
        EXPECT_EQ(0, ziptest::RunShell("python3 -c 'import sys,zipfile; "
                                       "assert zipfile.ZipFile(sys.argv[1]).testzip() is None' " +
                                       archive))
            << where;
        EXPECT_EQ(0, ziptest::RunShell("unzip -tqq " + archive + " >/dev/null")) << where;
        EXPECT_EQ(0, ziptest::RunShell("bsdtar -tf " + archive + " >/dev/null")) << where;
#endif
    }
    std::printf("%d of 32 saves refused\n", refused);
}

} // namespace
