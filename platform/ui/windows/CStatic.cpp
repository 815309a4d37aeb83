// Icon statics on the system's static control.
#include "platform/ui/CStatic.h"

#include "platform/ui/detail/UiBackend.h"

HICON CStatic::SetIcon(HICON hIcon)
{
    HWND hWnd = GetSafeHwnd();
    return hWnd ? reinterpret_cast<HICON>(
                      ::SendMessageW(hWnd, STM_SETICON, reinterpret_cast<WPARAM>(hIcon), 0))
                : nullptr;
}

HICON CStatic::GetIcon() const
{
    HWND hWnd = GetSafeHwnd();
    return hWnd ? reinterpret_cast<HICON>(::SendMessageW(hWnd, STM_GETICON, 0, 0)) : nullptr;
}
