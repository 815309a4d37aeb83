// Zentrimo.exe as a user starts it: its main window from template 102, its resources, and its end
// through the close box. (A system menu is not readable from another process: MainWindowWin32 checks it.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/WinTypes.h"
#include "platform/ui/windows/WideText.h"
#include "res/resource.h"

namespace {

// The built program beside this test's build tree; under Wine the build tree is on drive Z:.
std::wstring ProgramPath()
{
    std::string path = std::string(ZENTRIMO_BINARY_DIR) + "/app/Zentrimo.exe";
    if (!path.empty() && path.front() == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return ui::detail::ToWide(path);
}

class ZentrimoExeWin32 : public testing::Test
{
protected:
    void SetUp() override
    {
        const std::wstring program = ProgramPath();
        std::wstring commandLine = L"\"" + program + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &m_process));
        // Idle input means the dialog manager's modal loop runs: the main window exists and is shown.
        ASSERT_EQ(WaitForInputIdle(m_process.hProcess, 20000), 0u);
        m_window = FindWindowW(L"#32770", L"Velmora Name File Installer");
    }
    void TearDown() override
    {
        if (m_process.hProcess && WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }

    PROCESS_INFORMATION m_process{};
    HWND m_window = nullptr;
};

TEST_F(ZentrimoExeWin32, ShowsTheVelmoraNameFileInstallerAndEndsOnTheCloseBox)
{
    ASSERT_NE(m_window, nullptr);
    DWORD owner = 0;
    GetWindowThreadProcessId(m_window, &owner);
    EXPECT_EQ(owner, m_process.dwProcessId);
    EXPECT_TRUE(IsWindowVisible(m_window));
    EXPECT_NE(GetDlgItem(m_window, IDC_SCENARIO_WEB), nullptr);
    EXPECT_EQ(ui::detail::WindowText(GetDlgItem(m_window, IDCANCEL)), "Close");

    // The close box: nothing chosen yet, so the window ends at once and so does the program.
    PostMessageW(m_window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_EQ(WaitForSingleObject(m_process.hProcess, 20000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(m_process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

TEST(ZentrimoExeWin32Resources, CarriesIconGroup128String101AndTheVersionRecord)
{
    HMODULE program = LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(IDR_MAINFRAME), MAKEINTRESOURCEW(14)),
              nullptr);                                                                    // RT_GROUP_ICON
    EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16)), nullptr); // RT_VERSION
    EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)), nullptr); // RT_MANIFEST
    wchar_t text[64] = {};
    EXPECT_GT(LoadStringW(program, IDS_ABOUTBOX, text, 64), 0);
    EXPECT_EQ(std::wstring(text), L"&About Zentrimo...");
    FreeLibrary(program);

    const std::wstring path = ProgramPath();
    DWORD ignored = 0;
    std::vector<char> version(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(version.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
}

} // namespace
