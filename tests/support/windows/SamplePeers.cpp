// The road tests' peers under Wine: the service and squid the LinuxPeers fixture started on the Linux
// side (their folders named by the environment, host paths seen under Z:), and a scratch folder of the
// real prefix with the registry values a test changed put back afterwards.
#include "tests/support/SamplePeers.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <stdexcept>

#include "tests/support/ScratchDir.h"
#include "tests/support/strict/WindowsUser.h"

namespace {

std::filesystem::path FixtureFolder(const char* variable)
{
    const char* dir = std::getenv(variable);
    if (!dir)
        throw std::runtime_error(std::string(variable) + " names no fixture folder");
    return std::filesystem::path(std::string("Z:") + dir);
}

std::wstring Wide(const std::string& utf8)
{
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(
        CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

// The machine's keys are written as an installer writes them, elevated; the user's own as the user.
class InstallersRights
{
public:
    explicit InstallersRights(HKEY root)
    {
        if (root == HKEY_LOCAL_MACHINE)
            m_elevated.emplace();
    }

private:
    std::optional<strict::ElevatedScope> m_elevated;
};

// One registry value set for a test and put back as it was (or removed) when the test ends.
class RegistryValue
{
public:
    RegistryValue(HKEY root, const wchar_t* key, const wchar_t* name) : m_root(root), m_key(key), m_name(name)
    {
        HKEY handle = nullptr;
        if (RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
            return;
        DWORD size = 0;
        if (RegQueryValueExW(handle, name, nullptr, &m_type, nullptr, &size) == ERROR_SUCCESS) {
            m_old.resize(size);
            m_existed =
                RegQueryValueExW(handle, name, nullptr, &m_type, m_old.data(), &size) == ERROR_SUCCESS;
        }
        RegCloseKey(handle);
    }
    ~RegistryValue()
    {
        const InstallersRights rights(m_root);
        HKEY handle = nullptr;
        if (RegOpenKeyExW(m_root, m_key.c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS)
            return;
        if (m_existed)
            RegSetValueExW(handle, m_name.c_str(), 0, m_type, m_old.data(), static_cast<DWORD>(m_old.size()));
        else
            RegDeleteValueW(handle, m_name.c_str());
        RegCloseKey(handle);
    }
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;

    void Set(DWORD type, const void* data, DWORD size)
    {
        const InstallersRights rights(m_root);
        HKEY handle = nullptr;
        if (RegCreateKeyExW(m_root, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
            ERROR_SUCCESS)
            throw std::runtime_error("cannot write the registry key of a test");
        const LONG status =
            RegSetValueExW(handle, m_name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(handle);
        if (status != ERROR_SUCCESS)
            throw std::runtime_error("cannot write the registry value of a test");
    }
    void SetText(const std::string& utf8)
    {
        const std::wstring text = Wide(utf8);
        Set(REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

private:
    HKEY m_root;
    std::wstring m_key, m_name;
    bool m_existed = false;
    DWORD m_type = REG_NONE;
    std::vector<BYTE> m_old;
};

const wchar_t* const kVelmoraKey = L"SOFTWARE\\Olvastine\\Velmora";
const wchar_t* const kInternetSettings = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

} // namespace

struct SampleService::Own
{
};

SampleService::SampleService() : m_dir(FixtureFolder("ZENTRIMO_LINUX_SERVICE_DIR"))
{
    ReadStartedService();
}
SampleService::~SampleService() = default;

struct LoginProxy::Own
{
};

LoginProxy::LoginProxy()
{
    std::ifstream port(FixtureFolder("ZENTRIMO_LINUX_SQUID_DIR") / "port");
    if (!(port >> m_port) || m_port <= 0)
        throw std::runtime_error("the LinuxSquid fixture left no port");
}

LoginProxy::~LoginProxy() = default;

struct ScratchComputer::Own
{
    ScratchDir scratch{"computer"};
    std::vector<std::unique_ptr<RegistryValue>> changed;

    RegistryValue& Change(HKEY root, const wchar_t* key, const wchar_t* name)
    {
        changed.push_back(std::make_unique<RegistryValue>(root, key, name));
        return *changed.back();
    }
    // Put back newest first, so that a value changed twice ends as it was before the test.
    ~Own()
    {
        while (!changed.empty())
            changed.pop_back();
    }
};

ScratchComputer::ScratchComputer() : m_own(std::make_unique<Own>())
{
    std::filesystem::create_directories(ProgramFolder());
}

ScratchComputer::~ScratchComputer() = default;

std::filesystem::path ScratchComputer::Root() const
{
    return m_own->scratch.Path();
}

void ScratchComputer::RegisterVelmora()
{
    m_own->Change(HKEY_LOCAL_MACHINE, kVelmoraKey, L"InstallPath").SetText(WindowsPath(VelmoraFolder()));
}

void ScratchComputer::UseProxy(const std::string& hostPort)
{
    const DWORD enable = 1;
    m_own->Change(HKEY_CURRENT_USER, kInternetSettings, L"ProxyEnable")
        .Set(REG_DWORD, &enable, sizeof enable);
    m_own->Change(HKEY_CURRENT_USER, kInternetSettings, L"ProxyServer").SetText(hostPort);
}

std::string WindowsPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::filesystem::path HostPath(const std::string& windowsPath)
{
    return Utf8Path(windowsPath);
}
