// Texts between the layer's 8-bit strings (UTF-8, the program's code page) and the system's UTF-16.
#pragma once

#include <string>

#include "platform/ui/WinTypes.h"

namespace ui::detail {

std::wstring ToWide(const std::string& text);
std::string FromWide(const wchar_t* text, int length = -1);

// The text of a window or control, as the system holds it.
std::string WindowText(HWND hWnd);

} // namespace ui::detail
