// Runs that go to the system when no modal driver is installed: the system's message box and the
// dialog manager's modal loop (answered here by a CBT hook, as a user would answer them), and the
// pickers and window images behind the layer's own entries.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/ui/CFileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screenshot.h"
#include "platform/ui/ShellFolderPicker.h"
#include "platform/ui/windows/WideText.h"
#include "tests/platform/ui/TestForm.h"
#include "tests/support/ModalScript.h"

namespace {

// While alive: the modal driver is out of the way, and every window the system activates is recorded
// (caption and the texts of its statics) and then answered once with a command, as a click would.
class SystemAnswers
{
public:
    explicit SystemAnswers(WPARAM answer) : m_previous(ui::SetModalDriver(nullptr))
    {
        s_self = this;
        m_answer = answer;
        m_hook = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~SystemAnswers()
    {
        UnhookWindowsHookEx(m_hook);
        ui::SetModalDriver(m_previous);
        s_self = nullptr;
    }
    SystemAnswers(const SystemAnswers&) = delete;
    SystemAnswers& operator=(const SystemAnswers&) = delete;

    std::vector<std::string> captions;
    std::vector<std::string> texts;

private:
    static BOOL CALLBACK CollectStatic(HWND child, LPARAM)
    {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        if (_wcsicmp(className, L"Static") == 0 && GetWindowTextLengthW(child) > 0)
            s_self->texts.push_back(ui::detail::WindowText(child));
        return TRUE;
    }
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        HWND window = reinterpret_cast<HWND>(wParam);
        // A window may be activated again while it closes: it is answered once.
        if (code == HCBT_ACTIVATE && s_self &&
            std::find(s_self->m_answered.begin(), s_self->m_answered.end(), window) ==
                s_self->m_answered.end()) {
            s_self->m_answered.push_back(window);
            s_self->captions.push_back(ui::detail::WindowText(window));
            EnumChildWindows(window, CollectStatic, 0);
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(s_self->m_answer, BN_CLICKED), 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline SystemAnswers* s_self = nullptr;
    ui::ModalDriver* m_previous;
    WPARAM m_answer = IDOK;
    std::vector<HWND> m_answered;
    HHOOK m_hook = nullptr;
};

TEST(Win32SystemRuns, BoxWithoutADriverIsTheSystemsMessageBox)
{
    SystemAnswers answers(IDOK);
    EXPECT_EQ(ShowMessageBox(nullptr, "The names were installed.", "Success", MB_OK), IDOK);
    ASSERT_FALSE(answers.captions.empty()); // the box first; a window of the test may come back after it
    EXPECT_EQ(answers.captions[0], "Success");
    EXPECT_NE(std::find(answers.texts.begin(), answers.texts.end(), "The names were installed."),
              answers.texts.end());
}

TEST(Win32SystemRuns, DoModalWithoutADriverRunsTheDialogManagersLoop)
{
    SystemAnswers answers(IDCANCEL);
    TestForm form;
    EXPECT_EQ(form.DoModal(), IDCANCEL);
    EXPECT_EQ(form.initCount, 1);
    EXPECT_EQ(form.events, std::vector<std::string>{"cancel"});
    ASSERT_FALSE(answers.captions.empty());
    EXPECT_EQ(answers.captions[0], "Form");
    EXPECT_EQ(form.GetSafeHwnd(), nullptr);
}

TEST(Win32SystemRuns, FolderPickerAnswerBecomesAShellItemWithItsPath)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::string folder = ui::detail::FromWide(temp);
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    ModalScript script;
    script.ExpectFolderPicker(folder);
    char displayName[MAX_PATH] = {};
    BROWSEINFO info = {};
    info.pszDisplayName = displayName;
    info.lpszTitle = "Select the folder";
    info.ulFlags = BIF_EDITBOX;
    LPITEMIDLIST item = SHBrowseForFolder(&info);
    ASSERT_NE(item, nullptr);
    char path[MAX_PATH] = {};
    EXPECT_TRUE(SHGetPathFromIDList(item, path));
    CoTaskMemFree(item);
    EXPECT_EQ(_stricmp(path, folder.c_str()), 0) << path;
    EXPECT_EQ(std::string(displayName), folder.substr(folder.rfind('\\') + 1));
    EXPECT_TRUE(script.Finished());
}

TEST(Win32SystemRuns, CancelledPickersGiveNothing)
{
    ModalScript script;
    script.ExpectFolderPicker(std::nullopt);
    script.ExpectFileOpen(std::nullopt);
    BROWSEINFO info = {};
    EXPECT_EQ(SHBrowseForFolder(&info), nullptr);
    CFileDialog picker(TRUE, "zip", "VMRNames.zip", OFN_FILEMUSTEXIST, "Names (zip)|VMRNames.zip|");
    EXPECT_EQ(picker.DoModal(), IDCANCEL);
    EXPECT_EQ(picker.GetPathName(), "");
    EXPECT_TRUE(script.Finished());
}

TEST(Win32SystemRuns, WindowImageIsAPngOfTheClientArea)
{
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_TEST_FORM));
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::string file = ui::detail::FromWide(temp) + "zentrimo-window-image.png";
    ASSERT_TRUE(SaveWindowImage(&form, file));
    RECT client{};
    ::GetClientRect(form.GetSafeHwnd(), &client);
    form.DestroyWindow();

    std::ifstream in(std::filesystem::path(ui::detail::ToWide(file)), std::ios::binary);
    const std::vector<unsigned char> png((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
    in.close();
    DeleteFileW(ui::detail::ToWide(file).c_str());
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(std::vector<unsigned char>(png.begin(), png.begin() + 8),
              (std::vector<unsigned char>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    auto bigEndian = [&png](size_t at) {
        return static_cast<long>(png[at]) << 24 | static_cast<long>(png[at + 1]) << 16 |
               static_cast<long>(png[at + 2]) << 8 | static_cast<long>(png[at + 3]);
    };
    EXPECT_EQ(bigEndian(16), client.right);
    EXPECT_EQ(bigEndian(20), client.bottom);
    EXPECT_FALSE(SaveWindowImage(&form, file)); // no window any more
}

} // namespace
