// Message boxes: the caption a box gets and the modal driver that answers boxes under test, the same on
// both systems; each system shows the box itself.
#include "platform/ui/MessageBox.h"

#include "platform/fs/ModulePath.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/detail/UiBackend.h"

std::string AfxGetAppName()
{
    if (CWinApp* app = AfxGetApp(); app && !app->m_strAppName.empty())
        return app->m_strAppName;
    std::string name = ModuleFileName();
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
    return ui::detail::ShowSystemMessageBox(call);
}

int AfxMessageBox(const std::string& text, UINT nType)
{
    return ShowMessageBox(nullptr, text, nullptr, nType);
}
