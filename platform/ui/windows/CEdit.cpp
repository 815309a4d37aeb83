// Edit-box operations on the system's edit control.
#include "platform/ui/CEdit.h"

BOOL CEdit::GetReadOnly() const
{
    HWND hWnd = GetSafeHwnd();
    return hWnd && (GetWindowLongW(hWnd, GWL_STYLE) & ES_READONLY) ? TRUE : FALSE;
}
