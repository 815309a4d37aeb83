// The name commands' archive steps with every file call failing in turn (N = 1, 2, ... until the command
// completes): after each run the names folder and VMRNames.zip are exactly as before or as after the
// command, no temporary stays, and the error names the user's file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>

#include "names/CNamePackage.h"
#include "names/CTransferArchive.h"
#include "names/DownloadedPackage.h"
#include "platform/core/CException.h"
#include "platform/fs/CTempFile.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/strict/FaultSeam.h"
#include "tests/zip/ZipBuilder.h"
#include "tests/zip/ZipTestSupport.h"

namespace {

namespace fs = std::filesystem;
using ziptest::ReadBytes;
using ziptest::Win;
using ziptest::WriteBytes;

using Snapshot = std::map<std::string, std::string>; // file name -> bytes, hidden files included

Snapshot Take(const fs::path& folder)
{
    Snapshot files;
    for (const auto& item : fs::directory_iterator(folder)) {
        const std::u8string name = item.path().filename().u8string();
        files[std::string(name.begin(), name.end())] = ReadBytes(item.path());
    }
    return files;
}

std::string Names(const Snapshot& files)
{
    std::string names;
    for (const auto& [name, bytes] : files)
        names += name + " ";
    return names;
}

#ifndef _WIN32
// "" when Info-ZIP, Python's zipfile and bsdtar each read the archive bytes whole, else the one that does
// not.
std::string PeerRefusing(const fs::path& folder, const std::string& bytes)
{
    const fs::path zip = folder / "peer.zip";
    WriteBytes(zip, bytes);
    const std::string quoted = ziptest::Quote(zip);
    if (ziptest::RunShell("unzip -tqq " + quoted + " >/dev/null 2>&1") != 0)
        return "Info-ZIP";
    if (ziptest::RunShell("python3 -c 'import sys,zipfile; sys.exit(zipfile.ZipFile(sys.argv[1]).testzip() "
                          "is not None)' " +
                          quoted + " >/dev/null 2>&1") != 0)
        return "Python";
    if (ziptest::RunShell("bsdtar -xOf " + quoted + " >/dev/null 2>&1") != 0)
        return "bsdtar";
    return std::string();
}
#endif

std::string Package(std::vector<RawEntry> entries)
{
    ZipBuilder b;
    b.entries = std::move(entries);
    return b.Build();
}

// One command on a fresh scene: the folder it changes, how the scene is laid, how it runs.
struct Command
{
    const char* name;
    std::function<void(const fs::path& dir)> lay;
    std::function<void(const fs::path& dir)> run;
    const char* changed; // the folder below dir that the command changes
};

const std::string kAnna = Package(
    {Entry("Anna.wav", std::string(3000, 'a')), Entry("Anna^.wav", "anna marker"), Entry("Zoë.wav", "zoe")});
const std::string kBob = Package({Entry("Bob.wav", std::string(2000, 'b')), Entry("Bob^.wav", "bob marker")});

// What the save command does with the download: a package that does not read ends in a box that names
// it by the name it was downloaded for, rather than by its temporary's path.
void AsTheSaveCommand(const std::string& package, const std::function<void()>& step)
{
    const std::string damaged = namelist::WithDownloadedPackage("the name", package, step);
    if (!damaged.empty())
        throw std::runtime_error(damaged);
}

void LayNamesFolder(const fs::path& dir)
{
    WriteBytes(dir / "Names" / "Anna.wav", "old anna");
    WriteBytes(dir / "Names" / "Anna^.wav", "old marker");
}

const Command kCommands[] = {
    {"install",
     [](const fs::path& dir) {
         LayNamesFolder(dir);
         WriteBytes(dir / "Temp.zip", kAnna);
     },
     [](const fs::path& dir) { CNamePackage::ExtractAll(Win(dir / "Temp.zip"), Win(dir / "Names")); },
     "Names"},
    {"first save", [](const fs::path& dir) { fs::create_directories(dir / "Save"); },
     [](const fs::path& dir) {
         CTransferArchive transfer(Win(dir / "Save") + "\\");
         CTempFile package;
         if (!package.Create(transfer.GetPath()))
             throw CFileException::FromLastOsError(transfer.GetPath());
         WriteBytes(winpath::ToHost(package.GetPath()), kAnna);
         AsTheSaveCommand(package.GetPath(), [&] { transfer.AdoptPackage(package); });
     },
     "Save"},
    {"later save",
     [](const fs::path& dir) {
         WriteBytes(dir / "Save" / "VMRNames.zip", kAnna);
         WriteBytes(dir / "Bob.zip", kBob);
     },
     [](const fs::path& dir) {
         CTransferArchive transfer(Win(dir / "Save") + "\\");
         AsTheSaveCommand(Win(dir / "Bob.zip"), [&] {
             if (!transfer.AddPackage(Win(dir / "Bob.zip")))
                 throw CZipException(ZipErrorGeneric, transfer.GetPath());
         });
     },
     "Save"},
    {"install saved",
     [](const fs::path& dir) {
         LayNamesFolder(dir);
         WriteBytes(dir / "Save" / "VMRNames.zip", kAnna);
         CTransferArchive transfer(Win(dir / "Save") + "\\");
         WriteBytes(dir / "Bob.zip", kBob);
         transfer.AddPackage(Win(dir / "Bob.zip"));
     },
     [](const fs::path& dir) {
         CNamePackage::ExtractAll(Win(dir / "Save" / "VMRNames.zip"), Win(dir / "Names"));
     },
     "Names"},
};

void PrintTo(const Command& command, std::ostream* out)
{
    *out << command.name;
}

class IoErrorLoop : public testing::TestWithParam<Command>
{
};

TEST_P(IoErrorLoop, EveryFailingFileCallLeavesTheFilesBeforeOrAfterAndNamesTheUsersFile)
{
    const Command& command = GetParam();
    Snapshot before, after;
    {
        ScratchDir dir("ioloop");
        command.lay(dir.Path());
        fs::create_directories(dir / command.changed);
        before = Take(dir / command.changed);
        command.run(dir.Path());
        after = Take(dir / command.changed);
    }
    ASSERT_NE(before, after) << "the command changes nothing";
#ifndef _WIN32
    // Every run below leaves one of the two, byte for byte: the transfer archive is then readable by all.
    {
        ScratchDir peers("ioloop-peers");
        for (const Snapshot* files : {&before, &after}) {
            if (files->count("VMRNames.zip")) {
                EXPECT_EQ("", PeerRefusing(peers.Path(), files->at("VMRNames.zip"))) << command.name;
            }
        }
    }
#endif

    unsigned long n = 1;
    for (; n < 2000; ++n) {
        ScratchDir dir("ioloop");
        command.lay(dir.Path());
        fs::create_directories(dir / command.changed);
        std::string message;
        bool byName = false; // a damaged download, named by its name
        bool fired;
        {
            strict::ArmedFileFault fault(n, strict::FileFault::DiskFull);
            try {
                command.run(dir.Path());
            } catch (const CException& e) {
                message = e.GetErrorMessage();
            } catch (const std::runtime_error& e) {
                message = e.what();
                byName = true;
            }
            fired = fault.Fired();
        }
        const Snapshot now = Take(dir / command.changed);
        const std::string where = std::string(command.name) + ", file call " + std::to_string(n) + " failing";
        EXPECT_TRUE(now == before || now == after) << where << ": left " << Names(now);
        EXPECT_EQ(Names(now).find(".~"), std::string::npos) << where << ": a temporary stays";
        if (!message.empty()) {
            EXPECT_EQ(message.find(".~"), std::string::npos) << where << ": " << message;
            EXPECT_NE(message.find(byName ? "the name" : Win(dir.Path())), std::string::npos)
                << where << ": " << message;
            EXPECT_EQ(message.find("no error occurred"), std::string::npos) << where << ": " << message;
        }
        if (!fired) {
            EXPECT_TRUE(message.empty()) << where << ": " << message;
            EXPECT_EQ(now, after) << where;
            break;
        }
        if (HasFailure())
            break; // the first run that goes wrong tells enough
    }
    if (!HasFailure()) {
        EXPECT_GT(n, 3u) << "the command made almost no file calls: the seam sees nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(NameCommands, IoErrorLoop, testing::ValuesIn(kCommands),
                         [](const testing::TestParamInfo<Command>& param) {
                             std::string name = param.param.name;
                             for (char& c : name)
                                 if (c == ' ')
                                     c = '_';
                             return name;
                         });

} // namespace
