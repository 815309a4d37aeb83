// The road tests' peers on Linux: each test starts its own service and squid in a scratch folder
// and works in a scratch Wine-style prefix.
#include "tests/support/SamplePeers.h"

#include <cstdlib>
#include <stdexcept>

#include "platform/fs/WinPath.h"
#include "tests/support/InternetSettingsFile.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScratchPrefix.h"
#include "tests/support/SquidProxy.h"

namespace {

std::string Quoted(const std::filesystem::path& path)
{
    std::string q = "'";
    for (char c : path.string())
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

const std::filesystem::path kScript =
    std::filesystem::path(ZENTRIMO_SOURCE_DIR) / "tests/support/linux-service";

} // namespace

struct SampleService::Own
{
    ScratchDir scratch{"sample-service"};
    ~Own() { std::system(("sh " + Quoted(kScript) + " stop " + Quoted(scratch / "service")).c_str()); }
};

SampleService::SampleService() : m_own(std::make_unique<Own>()), m_dir(m_own->scratch / "service")
{
    const std::string service = std::string(ZENTRIMO_BINARY_DIR) + "/server/zentrimo-service";
    if (std::system(("sh " + Quoted(kScript) + " start " + Quoted(service) + " " + Quoted(m_dir)).c_str()) !=
        0)
        throw std::runtime_error("the sample service did not start");
    ReadStartedService();
}

SampleService::~SampleService() = default;

struct LoginProxy::Own
{
    SquidProxy squid; // user zuser, password zpass
};

LoginProxy::LoginProxy() : m_own(std::make_unique<Own>()), m_port(m_own->squid.Port()) {}
LoginProxy::~LoginProxy() = default;

struct ScratchComputer::Own
{
    ScratchPrefix prefix;
};

ScratchComputer::ScratchComputer() : m_own(std::make_unique<Own>())
{
    std::filesystem::create_directories(ProgramFolder());
}

ScratchComputer::~ScratchComputer() = default;

std::filesystem::path ScratchComputer::Root() const
{
    return m_own->prefix.DriveC();
}

void ScratchComputer::RegisterVelmora() {} // found in its default folder

void ScratchComputer::UseProxy(const std::string& hostPort)
{
    ::UseProxy(m_own->prefix, hostPort);
}

std::string WindowsPath(const std::filesystem::path& path)
{
    return winpath::ToWindows(path);
}
std::filesystem::path HostPath(const std::string& windowsPath)
{
    return winpath::ToHost(windowsPath);
}
