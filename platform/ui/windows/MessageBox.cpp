// Message boxes on the system's MessageBox; answered by the modal driver under test.
#include "platform/ui/MessageBox.h"

#include "platform/ui/CWinApp.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/windows/WideText.h"
#include "platform/ui/windows/WndInternal.h"

using namespace ui::detail;

std::string AfxGetAppName()
{
    if (CWinApp* app = AfxGetApp(); app && !app->m_strAppName.empty())
        return app->m_strAppName;
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string name = FromWide(path, static_cast<int>(length));
    name = name.substr(name.rfind('\\') + 1);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

int ShowMessageBox(HWND owner, const std::string& text, const char* caption, UINT type)
{
    ui::MessageBoxCall call{owner, text, caption ? std::string(caption) : AfxGetAppName(), type};
    if (ui::ModalDriver* driver = ui::GetModalDriver())
        return driver->RunMessageBox(call);
    const int answer = ::MessageBoxW(owner ? owner : DefaultOwner(), ToWide(text).c_str(),
                                     ToWide(call.caption).c_str(), type);
    return answer == 0 ? IDOK : answer;
}

int AfxMessageBox(const std::string& text, UINT nType)
{
    return ShowMessageBox(nullptr, text, nullptr, nType);
}

namespace ui::detail {

HWND DefaultOwner()
{
    if (HWND active = GetActiveWindow())
        return active;
    CWinApp* app = AfxGetApp();
    return app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
}

} // namespace ui::detail
