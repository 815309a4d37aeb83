// What the road tests read of their peers, the same on both builds.
#include "tests/support/SamplePeers.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

void SampleService::ReadStartedService()
{
    std::ifstream port(m_dir / "port");
    if (!(port >> m_port) || m_port <= 0)
        throw std::runtime_error("the sample service left no port in " + m_dir.string());
    std::ifstream names(m_dir / "names", std::ios::binary);
    for (std::string name; std::getline(names, name);)
        if (!name.empty())
            m_names.push_back(name);
    if (m_names.empty())
        throw std::runtime_error("the sample service left no names in " + m_dir.string());
}

std::filesystem::path SampleService::Package(const std::string& name) const
{
    return m_dir / "catalog" / Utf8Path(name + ".zip");
}

std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> FileNamesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::u8string name = it->path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void ScratchComputer::InstallVelmora()
{
    PlaceVelmoraCopy("Program Files/Velmora");
    RegisterVelmora();
}

std::filesystem::path ScratchComputer::VelmoraFolder() const
{
    return Root() / "Program Files" / "Velmora";
}

std::string ScratchComputer::PlaceVelmoraCopy(const std::string& folderName)
{
    const std::filesystem::path folder = Root() / Utf8Path(folderName);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Velmora.exe") << "MZ";
    return WindowsPath(folder);
}

std::filesystem::path ScratchComputer::ProgramFolder() const
{
    return Root() / "Tools";
}

std::string ScratchComputer::ProgramLocation() const
{
    return WindowsPath(ProgramFolder()) + "\\";
}
