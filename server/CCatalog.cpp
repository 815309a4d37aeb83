// Listing and lookup of the packages in the catalogue folder.
#include "server/CCatalog.h"

#include <algorithm>
#include <chrono>
#include <system_error>

namespace {

constexpr size_t kMaxNameBytes = 200;
const std::string kPackageExtension = ".zip";

bool IsValidUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        auto c = static_cast<unsigned char>(text[i]);
        size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xe ? 3 : (c >> 3) == 0x1e ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        unsigned code = length == 1 ? c : c & (0x7f >> length);
        for (size_t k = 1; k < length; ++k) {
            auto follow = static_cast<unsigned char>(text[i + k]);
            if ((follow & 0xc0) != 0x80)
                return false;
            code = (code << 6) | (follow & 0x3f);
        }
        static const unsigned kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kMinimum[length] || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
            return false;
        i += length;
    }
    return true;
}

bool IsDeviceName(std::string_view name)
{
    std::string upper;
    for (char c : name)
        upper.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL")
        return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
           upper[3] <= '9';
}

bool Refuse(std::string* why, const char* reason)
{
    if (why)
        *why = reason;
    return false;
}

} // namespace

CCatalog::CCatalog(std::filesystem::path folder) : m_folder(std::move(folder)) {}

bool CCatalog::IsValidName(std::string_view name, std::string* why)
{
    if (name.empty())
        return Refuse(why, "the name is empty");
    if (name.size() > kMaxNameBytes)
        return Refuse(why, "the name is longer than 200 bytes");
    if (!IsValidUtf8(name))
        return Refuse(why, "the name is not valid UTF-8");
    for (size_t i = 0; i < name.size(); ++i) {
        auto c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c == 0x7f)
            return Refuse(why, "the name holds a control character");
        if (std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string_view::npos)
            return Refuse(why, "the name holds one of < > : \" / \\ | ? *");
        if (c == '&' && (name.substr(i + 1, 3) == "lt;" || name.substr(i + 1, 3) == "gt;"))
            return Refuse(why, "the name holds &lt; or &gt;");
    }
    if (name.front() == '.' || name.front() == ' ')
        return Refuse(why, "the name begins with a dot or a blank");
    if (name.back() == '.' || name.back() == ' ')
        return Refuse(why, "the name ends with a dot or a blank");
    if (IsDeviceName(name))
        return Refuse(why, "the name is a device name");
    return true;
}

std::filesystem::path CCatalog::PackagePath(std::string_view name) const
{
    return m_folder / (std::string(name) + kPackageExtension);
}

std::filesystem::path CCatalog::FindPackage(std::string_view name) const
{
    if (!IsValidName(name))
        return {};
    std::filesystem::path path = PackagePath(name);
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) ? path : std::filesystem::path();
}

std::shared_ptr<const CCatalog::NameList> CCatalog::Names() const
{
    std::error_code ec;
    const auto stamp = std::filesystem::last_write_time(m_folder, ec);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_names && !ec && m_stampSettled && stamp == m_stamp)
        return m_names;

    auto names = std::make_shared<NameList>();
    if (!ec) {
        std::error_code listError;
        for (std::filesystem::directory_iterator it(m_folder, listError), end; !listError && it != end;
             it.increment(listError)) {
            const std::filesystem::directory_entry& entry = *it;
            const std::string file = entry.path().filename().string();
            if (file.size() <= kPackageExtension.size() || !file.ends_with(kPackageExtension))
                continue;
            std::string name = file.substr(0, file.size() - kPackageExtension.size());
            std::error_code typeError;
            if (IsValidName(name) && entry.is_regular_file(typeError))
                names->push_back(std::move(name));
        }
        std::sort(names->begin(), names->end());
    }
    m_names = names;
    m_stamp = stamp;
    // A change within the file system's time stamp granularity of the listing would leave the
    // stamp unchanged, so a stamp is trusted only once it is clearly older than the listing.
    m_stampSettled = !ec && std::filesystem::file_time_type::clock::now() - stamp > std::chrono::seconds(2);
    return m_names;
}
