// Shared inside the Win32 dialog layer only: the window-to-object link and the dialog procedure.
#pragma once

#include <string>

#include "platform/ui/WinTypes.h"

class CMenu;
class CWnd;

namespace ui::detail {

// The CWnd attached to a window, or null. Attach records it as a window property.
CWnd* AttachedObject(HWND hWnd);

// The one dialog procedure of every CDialog: WM_INITDIALOG links the window to the object passed as
// the creation parameter; every later message goes through the object's message table.
INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The window a modal run without an explicit owner is placed over: the active window of this
// thread, else the application's main window.
HWND DefaultOwner();

// Shows the entries of a window's system menu in menu; entries appended to menu go to it too.
void AttachSystemMenu(CMenu& menu, HMENU hMenu);

// Forgets the temporary wrappers FromHandle made for windows that are gone.
void DropDeadWrappers();

} // namespace ui::detail
