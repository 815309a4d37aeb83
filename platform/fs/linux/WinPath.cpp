// Wine-style drive mapping between Windows-form and host paths.
#include "platform/fs/WinPath.h"

#include "platform/fs/linux/FolderNames.h"

#include <array>
#include <cstdlib>
#include <optional>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace winpath {
namespace {

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::vector<std::string> SplitComponents(const std::string& text)
{
    std::vector<std::string> parts;
    std::string current;
    for (char c : text) {
        if (IsSeparator(c)) {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

// The existing entry of folder whose name equals name: exactly, else ignoring case. The exact test
// comes first because it settles most names with one stat and no listing.
std::optional<std::string> MatchEntry(const fs::path& folder, const std::string& name)
{
    std::error_code ec;
    if (fs::exists(folder / name, ec))
        return name;
    return EntryIgnoringCase(folder, name);
}

bool HasDrive(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

fs::path Canonical(const fs::path& path)
{
    std::error_code ec;
    fs::path result = fs::weakly_canonical(path, ec);
    return ec ? path.lexically_normal() : result;
}

// Is path inside root (or root itself)? Both canonical; returns the remaining components.
std::optional<fs::path> Below(const fs::path& root, const fs::path& path)
{
    auto r = root.begin(), p = path.begin();
    for (; r != root.end(); ++r, ++p) {
        if (r->empty())
            continue; // a trailing separator on the root
        if (p == path.end() || *r != *p)
            return std::nullopt;
    }
    fs::path rest;
    for (; p != path.end(); ++p)
        if (!p->empty())
            rest /= *p;
    return rest;
}

fs::path Device(const fs::path& prefix, char letter)
{
    return prefix / "dosdevices" / (std::string(1, letter) + ":");
}

// Host folder of a drive letter (lower case), given whether its dosdevices link leads to a folder.
fs::path LinkedOrDefault(const fs::path& prefix, char letter, bool linked)
{
    if (linked)
        return Device(prefix, letter);
    if (letter == 'c')
        return prefix / "drive_c";
    if (letter == 'z')
        return fs::path("/");
    return {};
}

// The letters whose dosdevices link leads to a folder, from one listing: the file layer writes the path
// of every file it opens back in Windows form, and a stat per letter made that the dearest part of it.
std::array<bool, 26> LinkedLetters(const fs::path& prefix)
{
    std::array<bool, 26> linked{};
    std::error_code ec;
    for (fs::directory_iterator it(prefix / "dosdevices", ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code statError;
        if (name.size() == 2 && name[1] == ':' && name[0] >= 'a' && name[0] <= 'z' &&
            fs::is_directory(it->path(), statError))
            linked[static_cast<size_t>(name[0] - 'a')] = true;
    }
    return linked;
}

} // namespace

fs::path Prefix()
{
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return fs::path(prefix);
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/") / ".wine";
}

fs::path DriveRoot(char drive)
{
    const char letter = Lower(drive);
    if (letter < 'a' || letter > 'z')
        return {};
    const fs::path prefix = Prefix();
    std::error_code ec;
    return LinkedOrDefault(prefix, letter, fs::is_directory(Device(prefix, letter), ec));
}

fs::path ToHost(const std::string& windowsPath)
{
    if (windowsPath.size() >= 2 && IsSeparator(windowsPath[0]) && IsSeparator(windowsPath[1]))
        return {};

    fs::path base;
    std::string rest = windowsPath;
    if (HasDrive(windowsPath)) {
        base = DriveRoot(windowsPath[0]);
        if (base.empty())
            return {};
        rest = windowsPath.substr(2);
    } else if (!rest.empty() && IsSeparator(rest[0])) {
        // Rooted but driveless: the current drive, which for us is the one holding the current folder.
        std::error_code ec;
        const std::string current = ToWindows(fs::current_path(ec));
        base = DriveRoot(current.empty() ? 'z' : current[0]);
    } else {
        std::error_code ec;
        base = fs::current_path(ec);
    }

    std::vector<std::string> kept;
    for (const std::string& part : SplitComponents(rest)) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!kept.empty())
                kept.pop_back();
            continue;
        }
        kept.push_back(part);
    }

    // Most paths exist as written, or all but their last component do (a file about to be made in a
    // known folder): two stats settle those, where matching component by component costs one each.
    fs::path whole = base;
    for (const std::string& part : kept)
        whole /= part;
    std::error_code ec;
    if (fs::exists(whole, ec))
        return whole;
    size_t exact = 0;
    if (kept.size() > 1 && fs::exists(whole.parent_path(), ec))
        exact = kept.size() - 1;

    fs::path result = base;
    for (size_t i = 0; i < exact; ++i)
        result /= kept[i];
    bool matching = true;
    for (size_t i = exact; i < kept.size(); ++i) {
        const std::string& part = kept[i];
        if (matching) {
            if (std::optional<std::string> entry = MatchEntry(result, part)) {
                result /= *entry;
                continue;
            }
            matching = false;
        }
        result /= part;
    }
    return result;
}

std::string ToWindows(const fs::path& hostPath)
{
    std::error_code ec;
    const fs::path absolute = hostPath.is_absolute() ? hostPath : fs::absolute(hostPath, ec);
    const fs::path path = Canonical(absolute);

    char bestDrive = 0;
    fs::path bestRest;
    size_t bestDepth = 0;
    const fs::path prefix = Prefix();
    const std::array<bool, 26> linked = LinkedLetters(prefix);
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const fs::path root = LinkedOrDefault(prefix, letter, linked[static_cast<size_t>(letter - 'a')]);
        if (root.empty() || !fs::exists(root, ec))
            continue;
        const fs::path canonicalRoot = Canonical(root);
        std::optional<fs::path> rest = Below(canonicalRoot, path);
        if (!rest)
            continue;
        const size_t depth = static_cast<size_t>(std::distance(canonicalRoot.begin(), canonicalRoot.end()));
        if (!bestDrive || depth > bestDepth) {
            bestDrive = letter;
            bestRest = *rest;
            bestDepth = depth;
        }
    }
    if (!bestDrive) {
        bestDrive = 'z';
        bestRest = path.relative_path();
    }

    std::string result(1, static_cast<char>(bestDrive - 'a' + 'A'));
    result += ":\\";
    bool first = true;
    for (const fs::path& part : bestRest) {
        if (part.empty())
            continue;
        if (!first)
            result += '\\';
        result += part.string();
        first = false;
    }
    return result;
}

fs::path FromText(const std::string& text)
{
    return fs::path(text);
}

} // namespace winpath
