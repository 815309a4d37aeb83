// The drive search over what a real C: drive has and Wine's prefix lacks: links back up the tree (as
// the compatibility junctions "Application Data" and "Documents and Settings"), a link whose listing is
// refused, a folder that cannot be listed (Windows build only: the links are Wine's Unix ones).
#include "locator/VelmoraSearch.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/fs/CFileFind.h"
#include "platform/fs/WinPath.h"
#include "tests/locator/FolderLink.h"
#include "tests/support/ScratchDir.h"

namespace fs = std::filesystem;

namespace {

class WindowsDriveSearch : public ::testing::Test
{
protected:
    static void Touch(const fs::path& path)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << "MZ";
    }

    // Links go before the folders they lead to: the folders' removal takes a link for a folder.
    void TearDown() override
    {
        for (auto link = m_links.rbegin(); link != m_links.rend(); ++link)
            EXPECT_TRUE(folderlink::Remove(*link)) << link->string();
    }

    void Link(const fs::path& link, const std::string& target)
    {
        ASSERT_TRUE(folderlink::Make(link, target)) << link.string();
        m_links.push_back(link);
    }

    // Which of two entries of folder the listing gives first.
    static std::string ListedFirst(const std::string& folder, const std::string& a, const std::string& b)
    {
        CFileFind finder;
        for (bool more = finder.FindFile(folder + "\\*.*"); more;) {
            more = finder.FindNextFile();
            if (finder.GetFileName() == a || finder.GetFileName() == b)
                return finder.GetFileName();
        }
        return {};
    }

    // A folder held open without sharing refuses a listing to anyone else, as a folder a standard user
    // may not list refuses it on Windows.
    class Unlistable
    {
    public:
        explicit Unlistable(const fs::path& folder)
            : m_handle(CreateFileW(folder.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr))
        {
        }
        ~Unlistable() { CloseHandle(m_handle); }
        Unlistable(const Unlistable&) = delete;
        Unlistable& operator=(const Unlistable&) = delete;
        bool Held() const { return m_handle != INVALID_HANDLE_VALUE; }

    private:
        HANDLE m_handle;
    };

    ScratchDir elsewhere{"elsewhere"};
    ScratchDir dir{"drivesearch"};
    const std::string root = winpath::ToWindows(dir.Path());

private:
    std::vector<fs::path> m_links;
};

} // namespace

TEST_F(WindowsDriveSearch, TheListingTellsFolderLinksFromFolders)
{
    fs::create_directories(dir / "Folder");
    Touch(dir / "File.txt");
    Link(dir / "Link", "Folder");
    std::string seen;
    CFileFind finder;
    for (bool more = finder.FindFile(root + "\\*.*"); more;) {
        more = finder.FindNextFile();
        if (!finder.IsDots())
            seen += finder.GetFileName() + (finder.IsDirectory() ? " folder" : " file") +
                    (finder.IsFolderLink() ? " link; " : "; ");
    }
    EXPECT_EQ(seen, "File.txt file; Folder folder; Link folder link; ");
}

// "Documents and Settings" leads to C:\Users and refuses a listing; it comes first in C:\ and must not
// take C:\Users' place. The link here is refused as its path is too long for a listing.
TEST_F(WindowsDriveSearch, AFolderReachedFirstThroughARefusedLinkIsStillSearched)
{
    Touch(dir / "Users" / "Velmora" / "Velmora.exe");
    const std::string pad(253 - root.size() - 1, 'D');
    fs::create_directories(dir / pad);
    Link(dir / pad / "Link", "..\\Users");
    const std::string link = root + "\\" + pad + "\\Link";
    ASSERT_EQ(ListedFirst(root, pad, "Users"), pad);
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(link)) << "the link itself is found";
    ASSERT_FALSE(finder.FindFile(link + "\\*.*")) << "but cannot be listed";

    EXPECT_EQ(velmora::SearchFolder(root), root + "\\Users\\Velmora");
}

TEST_F(WindowsDriveSearch, LinksBackUpAndUnlistableFoldersNeitherLoopNorStopTheSearch)
{
    Touch(dir / "Busy" / "Velmora" / "Velmora.exe");
    fs::create_directories(dir / "Loop" / "Deeper");
    Link(dir / "Loop" / "Up", "..");                   // to the search's start
    Link(dir / "Loop" / "Self", ".");                  // to the folder being listed
    Link(dir / "Loop" / "Deeper" / "Back", "..");      // to the folder above
    Link(dir / "Loop" / "Deeper" / "Start", "..\\.."); // back to the start from further down
    Touch(dir / "Zed" / "Velmora" / "Velmora.exe");
    ASSERT_EQ(ListedFirst(root, "Busy", "Zed"), "Busy");
    ASSERT_EQ(ListedFirst(root, "Loop", "Zed"), "Loop");

    {
        Unlistable busy(dir / "Busy");
        ASSERT_TRUE(busy.Held());
        EXPECT_EQ(velmora::SearchFolder(root), root + "\\Zed\\Velmora");
        fs::remove_all(dir / "Zed");
        EXPECT_EQ(velmora::SearchFolder(root), "");
    }
    // Listing order decides once the folder can be listed again.
    EXPECT_EQ(velmora::SearchFolder(root), root + "\\Busy\\Velmora");
}

// Links are followed where they do not lead back: a folder that lies elsewhere is searched through them.
TEST_F(WindowsDriveSearch, LinksElsewhereAreFollowed)
{
    Touch(elsewhere / "Velmora" / "Velmora.exe");
    fs::create_directories(dir / "Apps");
    Link(dir / "Apps" / "Shared", fs::relative(elsewhere.Path(), dir / "Apps").string());
    EXPECT_EQ(velmora::SearchFolder(root), root + "\\Apps\\Shared\\Velmora");
}
