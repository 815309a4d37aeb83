// A path split into prefix, drive, folder, title and extension, and put back together.
#pragma once

#include <string>

class CZipPathParts
{
public:
    CZipPathParts() = default;
    explicit CZipPathParts(const std::string& path) { Set(path); }
    virtual ~CZipPathParts();

    // Keeps a leading "\\", "\\?\" or "\\?\unc\" (compared ignoring case) as the prefix, then
    // splits the rest; the folder loses its leading and trailing separators, the extension its dot.
    void Set(const std::string& path);

    std::string GetTitle() const { return m_strTitle; }
    std::string GetExtension() const { return m_strExtension; }
    std::string GetDrive() const { return m_strDrive; }
    std::string GetFolder() const { return m_strFolder; }
    std::string GetPrefix() const { return m_strPrefix; }
    std::string GetFileName() const;
    std::string GetFilePath() const;
    std::string GetFullPath() const;
    std::string GetPathWithoutDrive() const;

    static bool IsSeparator(char c) { return c == '\\' || c == '/'; }
    static void RemoveTrailingSeparators(std::string& path);

private:
    std::string m_strFolder;
    std::string m_strTitle;
    std::string m_strExtension;
    std::string m_strDrive;
    std::string m_strPrefix;
};
