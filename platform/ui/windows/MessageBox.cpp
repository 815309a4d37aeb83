// Message boxes on the system's MessageBox, and the default owner of the layer's modal runs.
#include "platform/ui/detail/UiBackend.h"

#include "platform/ui/CWinApp.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/windows/WideText.h"
#include "platform/ui/windows/WndInternal.h"

namespace ui::detail {

int ShowSystemMessageBox(const MessageBoxCall& call)
{
    const int answer = ::MessageBoxW(call.owner ? call.owner : DefaultOwner(), ToWide(call.text).c_str(),
                                     ToWide(call.caption).c_str(), call.type);
    return answer == 0 ? IDOK : answer;
}

HWND DefaultOwner()
{
    if (HWND active = GetActiveWindow())
        return active;
    CWinApp* app = AfxGetApp();
    return app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
}

} // namespace ui::detail
