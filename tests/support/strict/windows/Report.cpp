// The strict layer's account of what it refused, on stderr: ctest shows it beside a failing test.
#include <cstdio>

#include "tests/support/strict/windows/StrictLayer.h"

namespace strict::win {

void Report(const char* call, const std::wstring& path, DWORD error, const char* rule)
{
    std::string utf8;
    if (!path.empty()) {
        const int length = WideCharToMultiByte(CP_UTF8, 0, path.c_str(), static_cast<int>(path.size()),
                                               nullptr, 0, nullptr, nullptr);
        utf8.resize(static_cast<size_t>(length > 0 ? length : 0));
        WideCharToMultiByte(CP_UTF8, 0, path.c_str(), static_cast<int>(path.size()), utf8.data(), length,
                            nullptr, nullptr);
    }
    std::fprintf(stderr, "strict layer: %s %s: error %lu, %s\n", call, utf8.c_str(),
                 static_cast<unsigned long>(error), rule);
    std::fflush(stderr);
}

} // namespace strict::win
