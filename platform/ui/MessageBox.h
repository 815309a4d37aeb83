// Modal message boxes and the application name they carry when they have no caption of their own.
#pragma once

#include <string>

#include "platform/ui/WinTypes.h"

// The application's name: the running executable's file name without folder and extension
// ("Zentrimo"), unless a CWinApp gave it another.
std::string AfxGetAppName();

// A modal box with text, caption and one OK button; MB_ICONEXCLAMATION adds the exclamation icon.
// A null caption means the application's name. owner (null: the active modal window) is blocked while
// the box is open. The text is shown as it is: no markup, no mnemonics. Returns IDOK. While a modal
// driver is installed it gets the box instead of the user.
int ShowMessageBox(HWND owner, const std::string& text, const char* caption, UINT type);

// A box owned by the active window with the application's name as its caption.
int AfxMessageBox(const std::string& text, UINT nType = MB_OK);
