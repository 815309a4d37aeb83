// The drive mapping while folders change: answers follow every change another process makes, and
// mapping many new names into one folder reads it a bounded number of times.
#include "platform/fs/WinPath.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "platform/fs/linux/FolderNames.h"
#include "tests/support/ScratchPrefix.h"

namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& path)
{
    std::ofstream(path).put('x');
}

// Runs change in a child process, so that only the kernel can tell this one about it.
void InAnotherProcess(const std::function<void()>& change)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            change();
        } catch (...) {
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

struct Change
{
    const char* what;
    std::vector<std::string> before; // files in C:\Parent\Folder, or "Other/x" for C:\Parent\Other\x
    std::function<void(const fs::path& parent)> change;
    std::string after; // what C:\Parent\Folder\report.txt then maps to
};

} // namespace

TEST(WinPathUnderChange, AnswersFollowChangesOtherProcessesMakeToAFolderAlreadyListed)
{
    const std::vector<Change> changes = {
        {"a variant created",
         {},
         [](const fs::path& p) { Touch(p / "Folder" / "Report.TXT"); },
         "Report.TXT"},
        {"the variant removed",
         {"Report.TXT"},
         [](const fs::path& p) { fs::remove(p / "Folder" / "Report.TXT"); },
         "report.txt"},
        {"the variant renamed to another case",
         {"Report.TXT"},
         [](const fs::path& p) { fs::rename(p / "Folder" / "Report.TXT", p / "Folder" / "REPORT.txt"); },
         "REPORT.txt"},
        {"a variant moved in",
         {"Other/Report.TXT"},
         [](const fs::path& p) { fs::rename(p / "Other" / "Report.TXT", p / "Folder" / "Report.TXT"); },
         "Report.TXT"},
        {"the variant moved out",
         {"Report.TXT"},
         [](const fs::path& p) { fs::rename(p / "Folder" / "Report.TXT", p / "Other" / "Report.TXT"); },
         "report.txt"},
        {"one of two variants removed",
         {"Report.TXT", "REPORT.TXT"},
         [](const fs::path& p) { fs::remove(p / "Folder" / "Report.TXT"); },
         "REPORT.TXT"},
        {"the folder removed and made again empty",
         {"Report.TXT"},
         [](const fs::path& p) {
             fs::remove_all(p / "Folder");
             fs::create_directory(p / "Folder");
         },
         "report.txt"},
        {"the folder replaced by one holding a variant",
         {},
         [](const fs::path& p) {
             fs::rename(p / "Folder", p / "Old");
             fs::create_directory(p / "Folder");
             Touch(p / "Folder" / "rePort.txt");
         },
         "rePort.txt"},
        {"the parent replaced, so the path names another folder",
         {"Report.TXT"},
         [](const fs::path& p) {
             fs::rename(p, p.parent_path() / "Moved");
             fs::create_directories(p / "Folder");
             Touch(p / "Folder" / "REPORT.TXT");
         },
         "REPORT.TXT"},
    };
    for (const Change& row : changes) {
        SCOPED_TRACE(row.what);
        ScratchPrefix prefix;
        const fs::path parent = prefix.DriveC() / "Parent";
        fs::create_directories(parent / "Folder");
        fs::create_directories(parent / "Other");
        for (const std::string& name : row.before)
            Touch(name.starts_with("Other/") ? parent / name : parent / "Folder" / name);

        // Both folders listed before the change, as a run that already mapped names there has them.
        const std::string asked = "C:\\parent\\folder\\report.txt";
        const fs::path first = winpath::ToHost(asked);
        EXPECT_TRUE(first.parent_path() == parent / "Folder") << first;
        winpath::ToHost("C:\\Parent\\Other\\report.txt");

        InAnotherProcess([&] { row.change(parent); });
        EXPECT_EQ(winpath::ToHost(asked), parent / "Folder" / row.after);
    }
}

TEST(WinPathUnderChange, ManyNewNamesMappedIntoOneFolderReadItABoundedNumberOfTimes)
{
    ScratchPrefix prefix;
    const fs::path folder = prefix.DriveC() / "Names";
    fs::create_directories(folder);
    Touch(folder / "Existing.WAV");

    const uint64_t before = winpath::FolderListingsRead();
    for (int i = 0; i < 2000; ++i) {
        const std::string name = "Name" + std::to_string(i) + ".wav";
        const fs::path host = winpath::ToHost("C:\\names\\" + name);
        ASSERT_EQ(host, folder / name);
        Touch(host);
    }
    EXPECT_EQ(winpath::ToHost("C:\\Names\\existing.wav"), folder / "Existing.WAV");
    EXPECT_EQ(winpath::ToHost("C:\\Names\\NAME1999.WAV"), folder / "Name1999.wav");
    EXPECT_LE(winpath::FolderListingsRead() - before, 2u);
}

TEST(WinPathUnderChange, ThreadsMappingIntoOneFolderEachFindWhatTheyJustMade)
{
    ScratchPrefix prefix;
    const fs::path folder = prefix.DriveC() / "Shared";
    fs::create_directories(folder);
    std::vector<std::vector<std::string>> wrong(4);
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&, t] {
                for (int i = 0; i < 300; ++i) {
                    const std::string made = "T" + std::to_string(t) + "-" + std::to_string(i) + ".WAV";
                    std::string asked = made;
                    for (char& c : asked)
                        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                    if (winpath::ToHost("C:\\Shared\\" + asked) != folder / asked)
                        wrong[t].push_back("before " + made);
                    Touch(folder / made);
                    if (winpath::ToHost("C:\\Shared\\" + asked) != folder / made)
                        wrong[t].push_back("after " + made);
                }
            });
    }
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(wrong[t], std::vector<std::string>{}) << "thread " << t;
}
