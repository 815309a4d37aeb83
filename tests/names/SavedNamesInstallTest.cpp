// The offline road's install with a recording interface in place of the window: which archive it takes.
#include "names/SavedNamesInstall.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/ScratchDir.h"
#include "tests/zip/ZipBuilder.h"
#include "tests/zip/ZipTestSupport.h"

namespace {

namespace fs = std::filesystem;
using ziptest::ReadBytes;
using ziptest::Win;
using ziptest::WriteBytes;

class RecordingUi : public namelist::INamesUi
{
public:
    std::string picked; // what the picker answers
    std::vector<std::string> events;

    void ShowMessage(const std::string& text, const char* caption, bool) override
    {
        events.push_back(std::string("box:") + (caption ? caption : "") + ":" + text);
    }
    bool AskProxyCredentials(std::string&, std::string&) override { return false; }
    void ShowNotice(const std::string& text) override { events.push_back("notice:" + text); }
    void HideNotice() override { events.push_back("notice off"); }
    std::string PickSavedArchive(const std::string& initialFolder) override
    {
        events.push_back("pick:" + initialFolder);
        return picked;
    }
};

std::string Archive(const std::string& name, const std::string& data)
{
    ZipBuilder b;
    b.entries = {Entry(name, data)};
    return b.Build();
}

} // namespace

TEST(SavedNamesInstall, TakesTheArchiveBesideTheProgramElseThePickedOneWhichGoes)
{
    struct Row
    {
        const char* label;
        bool beside;     // a VMRNames.zip lies in the program's folder
        bool pickedOne;  // the picker answers with the carried archive
        bool installed;  // Anna.wav is in the names folder afterwards
        bool asked;      // the picker was shown
        bool pickedKept; // the picked archive is still there
    };
    const Row rows[] = {
        {"beside the program", true, true, true, false, true},
        {"picked", false, true, true, true, false},
        {"pick cancelled", false, false, false, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        ScratchDir dir("saved-install");
        const fs::path module = dir / "Program", names = dir / "Names", carried = dir / "Stick";
        fs::create_directories(module);
        fs::create_directories(names);
        fs::create_directories(carried);
        if (row.beside)
            WriteBytes(module / "VMRNames.zip", Archive("Anna.wav", "anna"));
        WriteBytes(carried / "VMRNames.zip", Archive("Anna.wav", "picked anna"));
        RecordingUi ui;
        if (row.pickedOne)
            ui.picked = Win(carried / "VMRNames.zip");

        const namelist::CommandOutcome outcome =
            namelist::InstallSavedNames(ui, Win(module) + "\\", Win(names));

        EXPECT_EQ(outcome.succeeded, row.installed);
        EXPECT_EQ(outcome.text, row.installed ? "Name files installed." : "");
        EXPECT_EQ(fs::exists(names / "Anna.wav"), row.installed);
        if (row.installed) {
            EXPECT_EQ(ReadBytes(names / "Anna.wav"), row.beside ? "anna" : "picked anna");
        }
        EXPECT_EQ(ui.events, row.asked ? std::vector<std::string>{"pick:" + Win(module) + "\\"}
                                       : std::vector<std::string>{});
        EXPECT_EQ(fs::exists(carried / "VMRNames.zip"), row.pickedKept);
        EXPECT_EQ(fs::exists(module / "VMRNames.zip"), row.beside); // carried with the program: kept
    }
}
