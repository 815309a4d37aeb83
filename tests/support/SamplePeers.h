// The peers of the road tests, the same on both builds: the service's sample catalogue (36 names,
// accented ones included) served on 127.0.0.1, a squid that asks for a login, and a scratch computer
// with Velmora installed. On Linux a test starts its own; under Wine, which cannot start a Linux
// program, the LinuxPeers fixture of ctest starts them on the Linux side of the loopback.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// A file's path as the program writes it (C:\..., Z:\... on Linux), and back.
std::string WindowsPath(const std::filesystem::path& path);
std::filesystem::path HostPath(const std::string& windowsPath);

class SampleService
{
public:
    SampleService(); // throws std::runtime_error when the service does not start
    ~SampleService();
    SampleService(const SampleService&) = delete;
    SampleService& operator=(const SampleService&) = delete;

    std::string HostPort() const { return "127.0.0.1:" + std::to_string(m_port); }
    int Port() const { return m_port; }
    // The catalogue's names, in the service's order.
    const std::vector<std::string>& Names() const { return m_names; }
    // What Python's zipfile unpacks from every package: the reference for every byte installed.
    std::filesystem::path Reference() const { return m_dir / "reference"; }
    std::filesystem::path Package(const std::string& name) const;

private:
    // Reads what the starting script left in m_dir.
    void ReadStartedService();

    struct Own;
    std::unique_ptr<Own> m_own; // the Linux build's own service
    std::filesystem::path m_dir;
    int m_port = 0;
    std::vector<std::string> m_names;
};

// A squid with Basic authentication (user zuser, password zpass).
class LoginProxy
{
public:
    LoginProxy();
    ~LoginProxy();
    LoginProxy(const LoginProxy&) = delete;
    LoginProxy& operator=(const LoginProxy&) = delete;

    std::string HostPort() const { return "127.0.0.1:" + std::to_string(m_port); }
    std::string User() const { return "zuser"; }
    std::string Password() const { return "zpass"; }

private:
    struct Own;
    std::unique_ptr<Own> m_own;
    int m_port = 0;
};

// The computer a road test works on: on Linux a scratch Wine-style prefix with Velmora in its default
// folder; under Wine a scratch folder of the real prefix standing for drive C:, Velmora's
// configuration entry naming the Velmora in it.
// The program's own folder (where it was started from) is a folder of its own beside Velmora.
// Everything it changed is put back when it goes.
class ScratchComputer
{
public:
    ScratchComputer();
    ~ScratchComputer();
    ScratchComputer(const ScratchComputer&) = delete;
    ScratchComputer& operator=(const ScratchComputer&) = delete;

    // Installs Velmora (its program file), where the program's search finds it first.
    void InstallVelmora();
    std::filesystem::path VelmoraFolder() const;
    std::string VelmoraLocation() const { return WindowsPath(VelmoraFolder()); }
    // Another folder of this computer holding Velmora's program file, as the program writes it (the
    // installed Velmora is found before it).
    std::string PlaceVelmoraCopy(const std::string& folderName);
    std::filesystem::path NamesFolder() const { return VelmoraFolder() / "Speakers" / "Ysmerel" / "Names"; }

    // The program's own folder, and the same as the program writes it (ending in a backslash).
    std::filesystem::path ProgramFolder() const;
    std::string ProgramLocation() const;

    // The current user's internet settings name this proxy for every connection.
    void UseProxy(const std::string& hostPort);

private:
    // The folder that stands for drive C: here.
    std::filesystem::path Root() const;
    // Makes the installed Velmora the one the program's search finds first.
    void RegisterVelmora();

    struct Own;
    std::unique_ptr<Own> m_own;
};

// A file's bytes; "" when it cannot be read.
std::string FileBytes(const std::filesystem::path& path);

// The names of a folder's files, sorted, as UTF-8.
std::vector<std::string> FileNamesIn(const std::filesystem::path& folder);

// A UTF-8 file name as a path (std::filesystem reads narrow text in the system's code page on Windows).
inline std::filesystem::path Utf8Path(const std::string& name)
{
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}
