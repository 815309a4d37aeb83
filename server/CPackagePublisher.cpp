// Publishing a package: checks, a ZIP written beside the catalogue entry, then one rename.
#include "server/CPackagePublisher.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

#include "platform/fs/FileSystem.h"
#include "platform/fs/WinPath.h"
#include "server/CPublishException.h"
#include "zip/CZipContainer.h"

namespace {

std::string ReadWhole(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw CPublishException("cannot read " + path.string());
    std::ostringstream data;
    data << file.rdbuf();
    if (file.bad())
        throw CPublishException("cannot read " + path.string());
    return data.str();
}

std::time_t ModificationTime(const std::filesystem::path& path)
{
    std::error_code ec;
    const auto stamp = std::filesystem::last_write_time(path, ec);
    if (ec)
        return std::time(nullptr);
    return std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(
            std::chrono::file_clock::to_sys(stamp)));
}

// A name no other publisher of the same package picks, so two runs never share a half-written file.
// It lies in a folder of its own beside the packages: the file layer looks through the folder of a
// file that does not exist yet, and the catalogue folder may hold a hundred thousand packages.
std::filesystem::path StagingPath(const std::filesystem::path& package)
{
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::filesystem::path folder = package.parent_path() / ".staging";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return folder / (package.filename().string() + "." + std::to_string(now) + "-" +
                     std::to_string(counter++) + ".tmp");
}

} // namespace

bool CPackagePublisher::LooksLikeWave(const std::string& data)
{
    return data.size() >= 12 && data.compare(0, 4, "RIFF") == 0 && data.compare(8, 4, "WAVE") == 0;
}

std::filesystem::path CPackagePublisher::Publish(const std::string& name,
                                                 const std::vector<std::filesystem::path>& files) const
{
    if (files.empty())
        throw CPublishException("a package needs at least one .wav file");
    std::vector<Entry> entries;
    for (size_t i = 0; i < files.size(); ++i) {
        Entry entry;
        entry.data = ReadWhole(files[i]);
        if (!LooksLikeWave(entry.data))
            throw CPublishException(files[i].string() + " is not a .wav file");
        entry.time = ModificationTime(files[i]);
        entry.name = i == 0 ? name + ".wav" : i == 1 ? name + "^.wav" : files[i].filename().string();
        entries.push_back(std::move(entry));
        if (files.size() == 1) {
            Entry second = entries.front();
            second.name = name + "^.wav";
            entries.push_back(std::move(second));
        }
    }
    return Publish(name, entries);
}

std::filesystem::path CPackagePublisher::Publish(const std::string& name,
                                                 const std::vector<Entry>& entries) const
{
    std::string why;
    if (!CCatalog::IsValidName(name, &why))
        throw CPublishException("cannot publish \"" + name + "\": " + why);
    std::set<std::string> names;
    for (const Entry& entry : entries) {
        if (!CCatalog::IsValidName(entry.name, &why))
            throw CPublishException("cannot put \"" + entry.name + "\" into a package: " + why);
        if (!LooksLikeWave(entry.data) || entry.data.size() > 0xffffffffu)
            throw CPublishException("\"" + entry.name + "\" is not a .wav file of a size a package can hold");
        if (!names.insert(entry.name).second)
            throw CPublishException("\"" + entry.name + "\" would be in the package twice");
    }
    if (!names.count(name + ".wav") || !names.count(name + "^.wav"))
        throw CPublishException("a package needs " + name + ".wav and " + name + "^.wav");

    const std::filesystem::path package = m_catalog.PackagePath(name);
    const std::filesystem::path staging = StagingPath(package);
    try {
        CZipContainer zip;
        zip.OpenArchive(winpath::ToWindows(staging), CZipContainer::Create, 0);
        for (const Entry& entry : entries) {
            CZipEntryHeader header;
            header.SetName(entry.name);
            header.SetHostSystem(zip.GetHostSystem());
            header.StoreAttributes(FILE_ATTRIBUTE_ARCHIVE);
            header.SetTime(entry.time);
            if (!zip.BeginEntryWrite(header, -1) ||
                !zip.WriteEntryData(entry.data.data(), static_cast<unsigned>(entry.data.size())) ||
                !zip.EndEntryWrite(false))
                throw CPublishException("cannot write " + entry.name + " into " + staging.string());
        }
        zip.CloseArchive();
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(staging, ec);
        throw;
    }
    // The service may be serving the old package right now; a rename swaps it in one step.
    std::error_code ec;
    std::filesystem::rename(staging, package, ec);
    if (ec) {
        std::filesystem::remove(staging, ec);
        throw CPublishException("cannot put the package in place at " + package.string());
    }
    return package;
}
