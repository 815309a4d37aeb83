// The module folder rule: the running executable's Windows-form folder with its final backslash.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/ModuleFolder.h"
#include "tests/support/ScratchPrefix.h"

namespace {

TEST(ModuleFolderOf, CutsAfterTheLastBackslash)
{
    EXPECT_EQ(ModuleFolderOf("E:\\Tools\\Zentrimo.exe"), "E:\\Tools\\");
    EXPECT_EQ(ModuleFolderOf("D:\\Zentrimo.exe"), "D:\\");
    EXPECT_EQ(ModuleFolderOf("Zentrimo.exe"), "");
}

// Copies this test program to folder and runs the copy in its module-folder mode.
std::string ModuleFolderOfCopyIn(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    const std::filesystem::path copy = folder / "Zentrimo.exe";
    std::filesystem::copy_file("/proc/self/exe", copy, std::filesystem::copy_options::overwrite_existing);
    const std::string command = "ZENTRIMO_PRINT_MODULE_FOLDER=1 '" + copy.string() + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return "(could not run)";
    std::string output;
    std::array<char, 512> buffer{};
    while (fgets(buffer.data(), static_cast<int>(buffer.size()), pipe.get()))
        output += buffer.data();
    if (!output.empty() && output.back() == '\n')
        output.pop_back();
    return output;
}

TEST(ModuleFolder, ProgramInAFolderOfDriveEGetsThatFolder)
{
    ScratchPrefix prefix;
    const std::filesystem::path drive = prefix.MapDrive('e', "edrive");
    EXPECT_EQ(ModuleFolderOfCopyIn(drive / "Tools"), "E:\\Tools\\");
}

TEST(ModuleFolder, ProgramAtTheRootOfDriveDGetsTheRoot)
{
    ScratchPrefix prefix;
    const std::filesystem::path drive = prefix.MapDrive('d', "ddrive");
    EXPECT_EQ(ModuleFolderOfCopyIn(drive), "D:\\");
}

} // namespace
