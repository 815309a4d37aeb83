// Button operations on the system's button control.
#include "platform/ui/CButton.h"

#include "platform/ui/detail/UiBackend.h"

int CButton::GetCheck() const
{
    HWND hWnd = GetSafeHwnd();
    return hWnd && ::SendMessageW(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int nCheck)
{
    if (HWND hWnd = GetSafeHwnd())
        ::SendMessageW(hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
}

void CButton::Click()
{
    // BM_CLICK is the user's press and release: an automatic radio button checks itself and the
    // parent gets BN_CLICKED, synchronously.
    HWND hWnd = GetSafeHwnd();
    if (hWnd && ::IsWindowEnabled(hWnd))
        ::SendMessageW(hWnd, BM_CLICK, 0, 0);
}
