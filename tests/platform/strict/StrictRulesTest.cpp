// The strict layer's rules, one row each: a call Windows refuses and Wine lets through, beside the near
// misses Windows allows. A rule the layer failed to enforce would let its call through under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/ScratchDir.h"
#include "tests/support/strict/WindowsUser.h"

namespace {

using strict::WindowsUser;

std::wstring Unique(const wchar_t* stem)
{
    return stem + std::to_wstring(GetCurrentProcessId());
}

std::string Ansi(const std::wstring& wide)
{
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), length, nullptr, nullptr);
    text.pop_back();
    return text;
}

DWORD Outcome(BOOL ok)
{
    return ok ? ERROR_SUCCESS : GetLastError();
}

DWORD Outcome(HANDLE handle)
{
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError();
    CloseHandle(handle);
    return ERROR_SUCCESS;
}

DWORD Create(const std::wstring& path, DWORD access, DWORD disposition,
             DWORD attributes = FILE_ATTRIBUTE_NORMAL)
{
    return Outcome(
        CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition, attributes, nullptr));
}

// What a row works on: files, open handles, a machine key, a folder below Program Files and one of the
// Windows folder, made as an installer would (elevated) and removed when the row ends.
class Sandbox
{
public:
    Sandbox() = default;
    ~Sandbox()
    {
        for (HANDLE handle : m_held)
            CloseHandle(handle);
        strict::ElevatedScope installer;
        if (!m_machineKey.empty())
            RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_machineKey.c_str());
        if (!m_userKey.empty())
            RegDeleteTreeW(HKEY_CURRENT_USER, m_userKey.c_str());
        std::error_code ec;
        for (const std::wstring& path : m_systemPaths)
            std::filesystem::remove_all(path, ec);
    }
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    std::wstring Path(const wchar_t* name) const { return (m_dir.Path() / name).wstring(); }

    // A file holding "old", with these attributes.
    std::wstring File(const wchar_t* name, DWORD attributes = 0)
    {
        const std::wstring path = name[0] && name[1] == L':' ? name : Path(name);
        std::ofstream(std::filesystem::path(path), std::ios::binary) << "old";
        if (attributes) {
            strict::ElevatedScope installer;
            SetFileAttributesW(path.c_str(), attributes);
        }
        return path;
    }
    // Holds a file open for reading, as another program would, until Release or the end of the row.
    HANDLE Hold(const std::wstring& path, DWORD share)
    {
        const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(handle, INVALID_HANDLE_VALUE) << "cannot hold the row's file";
        m_held.push_back(handle);
        return handle;
    }
    void Release(HANDLE handle)
    {
        std::erase(m_held, handle);
        CloseHandle(handle);
    }

    // A folder of this row below the Program Files folder, holding old.txt and an empty folder Sub.
    std::wstring ProgramFiles()
    {
        wchar_t programFiles[MAX_PATH];
        EXPECT_GT(GetEnvironmentVariableW(L"ProgramFiles", programFiles, MAX_PATH), 0u);
        const std::wstring folder = std::wstring(programFiles) + L"\\" + Unique(L"ZentrimoStrict");
        strict::ElevatedScope installer;
        std::filesystem::create_directories(std::filesystem::path(folder) / "Sub");
        std::ofstream(std::filesystem::path(folder) / "old.txt") << "old";
        m_systemPaths.push_back(folder);
        return folder;
    }
    // A new file's name in the Windows folder.
    std::wstring InWindowsFolder()
    {
        wchar_t windows[MAX_PATH];
        EXPECT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
        m_systemPaths.push_back(std::wstring(windows) + L"\\" + Unique(L"zentrimo-strict-") + L".txt");
        return m_systemPaths.back();
    }
    // A scratch folder standing for a Program Files folder.
    std::wstring StandIn()
    {
        m_standIn = std::make_unique<strict::ProtectedFolder>(Ansi(m_dir.Path().wstring()));
        return m_dir.Path().wstring();
    }

    // HKLM\SOFTWARE\ZentrimoStrict<pid> with the value Old, made by the installer.
    std::wstring MachineKey()
    {
        m_machineKey = L"SOFTWARE\\" + Unique(L"ZentrimoStrict");
        strict::ElevatedScope installer;
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, m_machineKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const DWORD one = 1;
        RegSetValueExW(key, L"Old", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
        RegCloseKey(key);
        return m_machineKey;
    }
    // The machine key opened by the installer for writing, used afterwards by the row's user.
    HKEY MachineKeyForWriting()
    {
        const std::wstring name = MachineKey();
        strict::ElevatedScope installer;
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, name.c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
        m_keys.emplace_back(key, &RegCloseKey);
        return key;
    }
    std::wstring UserKey()
    {
        m_userKey = L"Software\\" + Unique(L"ZentrimoStrict");
        return m_userKey;
    }

private:
    ScratchDir m_dir{"strict"};
    std::vector<HANDLE> m_held;
    std::vector<std::wstring> m_systemPaths;
    std::unique_ptr<strict::ProtectedFolder> m_standIn;
    std::wstring m_machineKey;
    std::wstring m_userKey;
    std::vector<std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(&RegCloseKey)>> m_keys;
};

struct Rule
{
    const char* name;
    WindowsUser user;
    DWORD expected;
    std::function<DWORD(Sandbox&)> call; // the row's call, its outcome (ERROR_SUCCESS when it went through)
};

// Rows print as their names in test listings.
void PrintTo(const Rule& rule, std::ostream* out)
{
    *out << rule.name;
}

constexpr DWORD kAllShares = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;
constexpr DWORD kReadOnly = FILE_ATTRIBUTE_READONLY;
constexpr auto kStandard = WindowsUser::Standard;
constexpr auto kElevated = WindowsUser::Elevated;

DWORD MoveReplacing(const std::wstring& from, const std::wstring& to)
{
    return Outcome(MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING));
}

LSTATUS OpenAndClose(HKEY root, const std::wstring& name, REGSAM desired)
{
    HKEY key = nullptr;
    const LSTATUS status = RegOpenKeyExW(root, name.c_str(), 0, desired, &key);
    if (status == ERROR_SUCCESS)
        RegCloseKey(key);
    return status;
}

LSTATUS CreateAndClose(HKEY root, const std::wstring& name, REGSAM desired)
{
    HKEY key = nullptr;
    const LSTATUS status =
        RegCreateKeyExW(root, name.c_str(), 0, nullptr, 0, desired, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS)
        RegCloseKey(key);
    return status;
}

const Rule kRules[] = {
    // Hidden and system files are not rewritten by a CREATE_ALWAYS that does not name those marks.
    {"CreateAlwaysOverHiddenFileIsRefused", kElevated, ERROR_ACCESS_DENIED,
     [](Sandbox& s) { return Create(s.File(L"a", kHidden), GENERIC_WRITE, CREATE_ALWAYS); }},
    {"CreateAlwaysOverSystemFileIsRefused", kElevated, ERROR_ACCESS_DENIED,
     [](Sandbox& s) { return Create(s.File(L"a", FILE_ATTRIBUTE_SYSTEM), GENERIC_WRITE, CREATE_ALWAYS); }},
    {"CreateAlwaysOverHiddenFileByAnsiNameIsRefused", kElevated, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         return Outcome(CreateFileA(Ansi(s.File(L"a", kHidden)).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
     }},
    {"CreateAlwaysNamingTheHiddenMarkPasses", kElevated, ERROR_SUCCESS,
     [](Sandbox& s) { return Create(s.File(L"a", kHidden), GENERIC_WRITE, CREATE_ALWAYS, kHidden); }},
    {"TruncateExistingOverHiddenFilePasses", kElevated, ERROR_SUCCESS,
     [](Sandbox& s) { return Create(s.File(L"a", kHidden), GENERIC_WRITE, TRUNCATE_EXISTING); }},
    {"CreateAlwaysOverPlainFilePasses", kElevated, ERROR_SUCCESS,
     [](Sandbox& s) { return Create(s.File(L"a"), GENERIC_WRITE, CREATE_ALWAYS); }},

    // CopyFile does not overwrite a hidden or read-only destination.
    {"CopyOntoHiddenFileIsRefused", kElevated, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         return Outcome(CopyFileW(s.File(L"a").c_str(), s.File(L"b", kHidden).c_str(), FALSE));
     }},
    {"CopyOntoReadOnlyFileIsRefused", kElevated, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         return Outcome(CopyFileA(Ansi(s.File(L"a")).c_str(), Ansi(s.File(L"b", kReadOnly)).c_str(), FALSE));
     }},
    {"CopyExOntoHiddenFileIsRefused", kElevated, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         return Outcome(
             CopyFileExW(s.File(L"a").c_str(), s.File(L"b", kHidden).c_str(), nullptr, nullptr, nullptr, 0));
     }},
    {"CopyOntoPlainFilePasses", kElevated, ERROR_SUCCESS,
     [](Sandbox& s) { return Outcome(CopyFileW(s.File(L"a").c_str(), s.File(L"b").c_str(), FALSE)); }},
    {"CopyKeepingAHiddenFileSaysItExists", kElevated, ERROR_FILE_EXISTS,
     [](Sandbox& s) {
         return Outcome(CopyFileW(s.File(L"a").c_str(), s.File(L"b", kHidden).c_str(), TRUE));
     }},

    // A replaced file is neither read-only nor open; a moved one is open only with FILE_SHARE_DELETE.
    {"MoveReplacingReadOnlyFileIsRefused", kElevated, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         return Outcome(MoveFileExA(Ansi(s.File(L"a")).c_str(), Ansi(s.File(L"b", kReadOnly)).c_str(),
                                    MOVEFILE_REPLACE_EXISTING));
     }},
    {"MoveReplacingFileHeldOpenIsRefused", kElevated, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         s.Hold(s.File(L"b"), kAllShares);
         return MoveReplacing(s.File(L"a"), s.Path(L"b"));
     }},
    {"MoveReplacingFileHeldUnderAnotherCaseIsRefused", kElevated, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         s.Hold(s.File(L"target.wav"), kAllShares);
         return MoveReplacing(s.File(L"a"), s.Path(L"TARGET.WAV"));
     }},
    {"MoveReplacingFileHeldAndClosedPasses", kElevated, ERROR_SUCCESS,
     [](Sandbox& s) {
         s.Release(s.Hold(s.File(L"b"), kAllShares));
         return MoveReplacing(s.File(L"a"), s.Path(L"b"));
     }},
    {"MoveOfFileHeldWithoutShareDeleteIsRefused", kElevated, ERROR_SHARING_VIOLATION,
     [](Sandbox& s) {
         s.Hold(s.File(L"a"), FILE_SHARE_READ | FILE_SHARE_WRITE);
         return MoveReplacing(s.Path(L"a"), s.Path(L"b"));
     }},
    {"MoveOfFileHeldSharingDeletePasses", kElevated, ERROR_SUCCESS,
     [](Sandbox& s) {
         s.Hold(s.File(L"a"), kAllShares);
         return MoveReplacing(s.Path(L"a"), s.Path(L"b"));
     }},
    {"MoveReplacingFileAHeldFileWasMovedToIsRefused", kElevated, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         s.Hold(s.File(L"a"), kAllShares);
         EXPECT_EQ(MoveReplacing(s.Path(L"a"), s.Path(L"b")), ERROR_SUCCESS);
         return MoveReplacing(s.File(L"c"), s.Path(L"b"));
     }},
    {"MoveWithoutReplacingOntoFileSaysItExists", kElevated, ERROR_ALREADY_EXISTS,
     [](Sandbox& s) { return Outcome(MoveFileExW(s.File(L"a").c_str(), s.File(L"b").c_str(), 0)); }},

    // Read-only files are not deleted; held ones only when every holder shares deletion.
    {"DeleteOfReadOnlyFileIsRefused", kElevated, ERROR_ACCESS_DENIED,
     [](Sandbox& s) { return Outcome(DeleteFileA(Ansi(s.File(L"a", kReadOnly)).c_str())); }},
    {"DeleteOfFileHeldWithoutShareDeleteIsRefused", kElevated, ERROR_SHARING_VIOLATION,
     [](Sandbox& s) {
         s.Hold(s.File(L"a"), FILE_SHARE_READ | FILE_SHARE_WRITE);
         return Outcome(DeleteFileW(s.Path(L"a").c_str()));
     }},
    {"DeleteOfFileHeldSharingDeletePasses", kElevated, ERROR_SUCCESS,
     [](Sandbox& s) {
         s.Hold(s.File(L"a"), kAllShares);
         return Outcome(DeleteFileW(s.Path(L"a").c_str()));
     }},

    // A standard user reads HKEY_LOCAL_MACHINE, in either view, and writes nothing there.
    {"StandardUserOpeningMachineKeyForAllAccessIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox&) {
         return static_cast<DWORD>(OpenAndClose(HKEY_LOCAL_MACHINE, L"SOFTWARE", KEY_ALL_ACCESS));
     }},
    {"StandardUserOpeningMachineKeyToSetValuesIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox&) {
         HKEY key = nullptr;
         return static_cast<DWORD>(
             RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_SET_VALUE | KEY_WOW64_32KEY, &key));
     }},
    {"StandardUserReadsMachineKeyInEitherView", kStandard, ERROR_SUCCESS,
     [](Sandbox&) {
         const LSTATUS native = OpenAndClose(HKEY_LOCAL_MACHINE, L"SOFTWARE", KEY_READ | KEY_WOW64_64KEY);
         return static_cast<DWORD>(
             native ? native : OpenAndClose(HKEY_LOCAL_MACHINE, L"SOFTWARE", KEY_READ | KEY_WOW64_32KEY));
     }},
    {"StandardUserCreatingMachineKeyIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox&) {
         return static_cast<DWORD>(
             CreateAndClose(HKEY_LOCAL_MACHINE, L"SOFTWARE\\" + Unique(L"ZentrimoStrictNew"), KEY_READ));
     }},
    {"StandardUserCreateOpensExistingMachineKeyForReading", kStandard, ERROR_SUCCESS,
     [](Sandbox& s) {
         return static_cast<DWORD>(CreateAndClose(HKEY_LOCAL_MACHINE, s.MachineKey(), KEY_READ));
     }},
    {"StandardUserCreateOpeningMachineKeyForWritingIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         return static_cast<DWORD>(CreateAndClose(HKEY_LOCAL_MACHINE, s.MachineKey(), KEY_SET_VALUE));
     }},
    {"StandardUserSettingMachineValueIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         const DWORD two = 2;
         return static_cast<DWORD>(RegSetValueExW(s.MachineKeyForWriting(), L"Old", 0, REG_DWORD,
                                                  reinterpret_cast<const BYTE*>(&two), sizeof two));
     }},
    {"StandardUserDeletingMachineValueIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) { return static_cast<DWORD>(RegDeleteValueW(s.MachineKeyForWriting(), L"Old")); }},
    {"StandardUserDeletingMachineTreeIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         const std::wstring name = s.MachineKey();
         HKEY software = nullptr;
         EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_READ, &software), ERROR_SUCCESS);
         const LSTATUS status = RegDeleteTreeW(software, name.substr(name.find(L'\\') + 1).c_str());
         RegCloseKey(software);
         return static_cast<DWORD>(status);
     }},
    {"StandardUserWritesCurrentUserKey", kStandard, ERROR_SUCCESS,
     [](Sandbox& s) {
         HKEY key = nullptr;
         LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, s.UserKey().c_str(), 0, nullptr, 0,
                                          KEY_ALL_ACCESS, nullptr, &key, nullptr);
         if (status == ERROR_SUCCESS) {
             status = RegSetValueExW(key, L"Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"), 4);
             RegCloseKey(key);
         }
         return static_cast<DWORD>(status);
     }},
    {"ElevatedUserWritesMachineKey", kElevated, ERROR_SUCCESS,
     [](Sandbox& s) {
         HKEY key = nullptr;
         LSTATUS status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, s.MachineKey().c_str(), 0, KEY_ALL_ACCESS, &key);
         if (status == ERROR_SUCCESS) {
             status = RegDeleteValueW(key, L"Old");
             RegCloseKey(key);
         }
         return static_cast<DWORD>(status);
     }},

    // A standard user reads below the Program Files folders and the Windows folder and changes nothing.
    {"StandardUserCreatingFileInProgramFilesIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) { return Create(s.ProgramFiles() + L"\\new.txt", GENERIC_WRITE, CREATE_NEW); }},
    {"StandardUserReadsFileInProgramFiles", kStandard, ERROR_SUCCESS,
     [](Sandbox& s) { return Create(s.ProgramFiles() + L"\\old.txt", GENERIC_READ, OPEN_EXISTING); }},
    {"StandardUserOpeningProgramFilesFileForWritingIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) { return Create(s.ProgramFiles() + L"\\old.txt", GENERIC_WRITE, OPEN_EXISTING); }},
    {"StandardUserOpeningAlwaysANewProgramFilesFileIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) { return Create(s.ProgramFiles() + L"\\new.txt", GENERIC_READ, OPEN_ALWAYS); }},
    {"StandardUserMakingFolderInProgramFilesIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         return Outcome(CreateDirectoryA(Ansi(s.ProgramFiles() + L"\\New").c_str(), nullptr));
     }},
    {"StandardUserRemovingFolderInProgramFilesIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) { return Outcome(RemoveDirectoryW((s.ProgramFiles() + L"\\Sub").c_str())); }},
    {"StandardUserDeletingFileInProgramFilesIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) { return Outcome(DeleteFileW((s.ProgramFiles() + L"\\old.txt").c_str())); }},
    {"StandardUserMovingFileOutOfProgramFilesIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) { return MoveReplacing(s.ProgramFiles() + L"\\old.txt", s.Path(L"b")); }},
    {"StandardUserMovingFileIntoProgramFilesIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) { return MoveReplacing(s.File(L"a"), s.ProgramFiles() + L"\\new.txt"); }},
    {"StandardUserCopyingIntoProgramFilesIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         return Outcome(CopyFileW(s.File(L"a").c_str(), (s.ProgramFiles() + L"\\new.txt").c_str(), FALSE));
     }},
    {"StandardUserSettingAttributesInProgramFilesIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         return Outcome(SetFileAttributesW((s.ProgramFiles() + L"\\old.txt").c_str(), kHidden));
     }},
    {"StandardUserReachingProgramFilesByShortNameIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) {
         const std::wstring folder = s.ProgramFiles();
         wchar_t shortName[MAX_PATH];
         EXPECT_GT(GetShortPathNameW(folder.c_str(), shortName, MAX_PATH), 0u);
         return Create(std::wstring(shortName) + L"\\new.txt", GENERIC_WRITE, CREATE_NEW);
     }},
    {"StandardUserCreatingFileInWindowsFolderIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) { return Create(s.InWindowsFolder(), GENERIC_WRITE, CREATE_NEW); }},
    {"StandardUserCreatingFileInStandInForProgramFilesIsRefused", kStandard, ERROR_ACCESS_DENIED,
     [](Sandbox& s) { return Create(s.StandIn() + L"\\new.txt", GENERIC_WRITE, CREATE_NEW); }},
    {"StandardUserCreatesFileInOwnFolder", kStandard, ERROR_SUCCESS,
     [](Sandbox& s) { return Create(s.Path(L"new.txt"), GENERIC_WRITE, CREATE_NEW); }},
    {"ElevatedUserCreatesFileInProgramFiles", kElevated, ERROR_SUCCESS,
     [](Sandbox& s) { return Create(s.ProgramFiles() + L"\\new.txt", GENERIC_WRITE, CREATE_NEW); }},
    {"ElevatedUserMakesFolderInProgramFiles", kElevated, ERROR_SUCCESS,
     [](Sandbox& s) { return Outcome(CreateDirectoryW((s.ProgramFiles() + L"\\New").c_str(), nullptr)); }},
    {"ElevatedUserDeletesFileInProgramFiles", kElevated, ERROR_SUCCESS,
     [](Sandbox& s) { return Outcome(DeleteFileW((s.ProgramFiles() + L"\\old.txt").c_str())); }},
    {"ElevatedUserCreatesFileInWindowsFolder", kElevated, ERROR_SUCCESS,
     [](Sandbox& s) { return Create(s.InWindowsFolder(), GENERIC_WRITE, CREATE_NEW); }},
};

class StrictRule : public testing::TestWithParam<Rule>
{
};

} // namespace

TEST_P(StrictRule, HoldsUnderTheLayer)
{
    const Rule& rule = GetParam();
    Sandbox sandbox;
    const strict::UserScope user(rule.user);
    EXPECT_EQ(rule.call(sandbox), rule.expected);
}

INSTANTIATE_TEST_SUITE_P(Windows, StrictRule, testing::ValuesIn(kRules),
                         [](const testing::TestParamInfo<Rule>& row) { return std::string(row.param.name); });
