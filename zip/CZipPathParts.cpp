// Splitting and composing paths for entry names and target paths.
#include "zip/CZipPathParts.h"

#include <cctype>

CZipPathParts::~CZipPathParts() = default;

void CZipPathParts::RemoveTrailingSeparators(std::string& path)
{
    while (!path.empty() && IsSeparator(path.back()))
        path.pop_back();
}

void CZipPathParts::Set(const std::string& path)
{
    static const char kLongest[] = "\\\\?\\unc\\";
    size_t matched = 0;
    while (matched < 8 && matched < path.size() &&
           std::tolower(static_cast<unsigned char>(path[matched])) == kLongest[matched])
        ++matched;
    if (matched != 2 && matched != 4 && matched != 8)
        matched = 0;
    m_strPrefix = path.substr(0, matched);
    std::string rest = path.substr(matched);

    m_strDrive.clear();
    if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
        m_strDrive = rest.substr(0, 2);
        rest.erase(0, 2);
    }
    const size_t lastSeparator = rest.find_last_of("\\/");
    std::string folder =
        lastSeparator == std::string::npos ? std::string() : rest.substr(0, lastSeparator + 1);
    const std::string name = lastSeparator == std::string::npos ? rest : rest.substr(lastSeparator + 1);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos) {
        m_strTitle = name;
        m_strExtension.clear();
    } else {
        m_strTitle = name.substr(0, dot);
        m_strExtension = name.substr(dot + 1);
    }
    size_t start = 0;
    while (start < folder.size() && IsSeparator(folder[start]))
        ++start;
    folder.erase(0, start);
    RemoveTrailingSeparators(folder);
    m_strFolder = folder;
}

std::string CZipPathParts::GetFileName() const
{
    return m_strExtension.empty() ? m_strTitle : m_strTitle + "." + m_strExtension;
}

std::string CZipPathParts::GetFilePath() const
{
    std::string path = m_strPrefix + m_strDrive;
    if (!m_strDrive.empty() && !m_strFolder.empty())
        path += '\\';
    return path + m_strFolder;
}

std::string CZipPathParts::GetFullPath() const
{
    std::string path = GetFilePath();
    const std::string name = GetFileName();
    if (!path.empty() && !name.empty())
        path += '\\';
    return path + name;
}

std::string CZipPathParts::GetPathWithoutDrive() const
{
    std::string path = m_strFolder;
    const std::string name = GetFileName();
    if (!path.empty() && !name.empty())
        path += '\\';
    return path + name;
}
