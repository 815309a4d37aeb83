// The file-system operations the ZIP component needs, on Windows-form paths.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace zipfs {

bool GetFileAttrs(const std::string& path, uint32_t& attributes);
bool SetFileAttrs(const std::string& path, uint32_t attributes);
bool GetFileModTime(const std::string& path, std::time_t& modified);
// Access time = now, modification time = modified (now when -1).
bool SetFileModTime(const std::string& path, std::time_t modified);
// 0 absent, -1 a folder, 1 a file.
int FileExists(const std::string& path);
bool GetFileSize(const std::string& path, uint64_t& size);
// Creates the folder and every missing parent; true when it exists afterwards.
bool ForceDirectory(const std::string& path);

} // namespace zipfs
