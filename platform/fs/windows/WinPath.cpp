// Windows-form paths on Windows: they are the host's own, so the conversions only tidy separators.
#include "platform/fs/WinPath.h"

#include <system_error>

#include "platform/core/WinDefs.h"

namespace fs = std::filesystem;

namespace winpath {
namespace {

std::wstring Wide(const std::string& text)
{
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), needed);
    return wide;
}

std::string Narrow(const std::wstring& wide)
{
    const int needed = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string text(static_cast<size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), needed,
                            nullptr, nullptr);
    return text;
}

} // namespace

// No drive mapping on Windows: there is no prefix behind the drives.
fs::path Prefix()
{
    return {};
}

fs::path DriveRoot(char drive)
{
    if (!((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z')))
        return {};
    const char root[] = {drive, ':', '\\', '\0'};
    return GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR ? fs::path() : fs::path(root);
}

// The program's paths are ANSI text; std::filesystem keeps UTF-16 and must be handed that.
fs::path ToHost(const std::string& windowsPath)
{
    fs::path host(Wide(windowsPath));
    host.make_preferred();
    return host;
}

fs::path FromText(const std::string& text)
{
    return ToHost(text);
}

std::string ToWindows(const fs::path& hostPath)
{
    std::error_code ec;
    fs::path full = fs::absolute(hostPath, ec);
    if (ec)
        full = hostPath;
    full = full.lexically_normal().make_preferred();
    std::string text = Narrow(full.wstring());
    // A drive root keeps its backslash; anything else comes without a trailing one.
    while (text.size() > 3 && text.back() == '\\')
        text.pop_back();
    return text;
}

} // namespace winpath
