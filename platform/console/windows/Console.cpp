// The console on Windows: a console window takes UTF-16 characters (WriteConsoleW), whatever its code
// page, so names in any script show; text leaves the program's code page through MultiByteToWideChar.
#include <windows.h>

#include "platform/console/detail/ConsoleBackend.h"

namespace console::detail {

namespace {

HANDLE Handle(Stream stream)
{
    return GetStdHandle(stream == Stream::Input    ? STD_INPUT_HANDLE
                        : stream == Stream::Output ? STD_OUTPUT_HANDLE
                                                   : STD_ERROR_HANDLE);
}

DWORD savedInputMode = 0;

// Ctrl+C or Ctrl+Break while a password is typed: the console, shared with the shell, gets its echo back
// before the default handling ends the program.
BOOL WINAPI RestoreEchoFirst(DWORD)
{
    SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), savedInputMode);
    return FALSE;
}

} // namespace

bool StreamIsTerminal(Stream stream)
{
    DWORD mode = 0;
    // GetConsoleMode succeeds only for a console handle: a file, a pipe or NUL fails it.
    return GetConsoleMode(Handle(stream), &mode) != 0;
}

void WriteToTerminal(Stream stream, const std::string& text)
{
    if (text.empty())
        return;
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    DWORD written = 0;
    WriteConsoleW(Handle(stream), wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

std::optional<std::string> ReadTerminalLine()
{
    // The console gives characters, not bytes in its input code page (often the OEM one).
    std::wstring wide;
    wchar_t c = 0;
    DWORD read = 0;
    while (ReadConsoleW(Handle(Stream::Input), &c, 1, &read, nullptr) && read == 1 && c != L'\n')
        if (c != L'\r')
            wide.push_back(c);
    if (read == 0 && wide.empty())
        return std::nullopt;
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

bool SetInputEcho(bool on)
{
    const HANDLE input = Handle(Stream::Input);
    if (on) {
        SetConsoleCtrlHandler(RestoreEchoFirst, FALSE);
        return SetConsoleMode(input, savedInputMode) != 0;
    }
    if (!GetConsoleMode(input, &savedInputMode))
        return false;
    SetConsoleCtrlHandler(RestoreEchoFirst, TRUE);
    return SetConsoleMode(input, savedInputMode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT)) != 0;
}

} // namespace console::detail
