// The user's folder for temporary files pointed elsewhere for one scope: TMPDIR on Linux, TMP and TEMP
// (what GetTempPath reads) on Windows; put back as it was afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

class ScopedTempFolder
{
public:
    explicit ScopedTempFolder(const std::filesystem::path& folder)
    {
#ifdef _WIN32
        const std::u8string text = folder.u8string();
        for (const char* name : {"TMP", "TEMP"})
            Set(name, std::string(text.begin(), text.end()));
#else
        Set("TMPDIR", folder.string());
#endif
    }
    ~ScopedTempFolder()
    {
        for (const auto& [name, old] : m_saved)
            Put(name, old);
    }
    ScopedTempFolder(const ScopedTempFolder&) = delete;
    ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;

private:
    void Set(const char* name, const std::string& value)
    {
        const char* old = std::getenv(name);
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        Put(name, value);
    }
    // The system's environment, which the temporary folder is read from, and the C library's copy.
    static void Put(const std::string& name, const std::optional<std::string>& value)
    {
#ifdef _WIN32
        _putenv_s(name.c_str(), value ? value->c_str() : "");
        SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
#else
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
#endif
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};
