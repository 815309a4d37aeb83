// Edit-box operations on the system's edit control.
#include "platform/ui/CEdit.h"

#include "platform/ui/detail/UiBackend.h"

BOOL CEdit::GetReadOnly() const
{
    HWND hWnd = GetSafeHwnd();
    return hWnd && (GetWindowLongW(hWnd, GWL_STYLE) & ES_READONLY) ? TRUE : FALSE;
}
