// The file-open picker on the system's common dialog; filters of "description|pattern|" pairs.
#include "platform/ui/CFileDialog.h"

#include <algorithm>
#include <vector>

#include "platform/ui/CWnd.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/windows/WideText.h"
#include "platform/ui/windows/WndInternal.h"
#include "platform/ui/detail/UiBackend.h"

using namespace ui::detail;

std::optional<std::string> CFileDialog::RunSystemPicker(const ui::FileOpenCall& call) const
{
    // The system wants the pairs separated by NULs and the list ended by two.
    std::wstring filter = ToWide(m_strFilter);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.push_back(L'\0');
    const std::wstring folder = ToWide(call.initialFolder);
    const std::wstring defExt = ToWide(m_strDefExt);
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring name = ToWide(m_strFileName);
    std::copy_n(name.begin(), std::min(name.size(), file.size() - 1), file.begin());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = call.owner ? call.owner : DefaultOwner();
    ofn.lpstrFilter = m_strFilter.empty() ? nullptr : filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrDefExt = defExt.empty() ? nullptr : defExt.c_str();
    ofn.Flags = m_ofn.Flags | OFN_EXPLORER;
    const BOOL picked = m_bOpenFileDialog ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
    if (!picked)
        return std::nullopt;
    return FromWide(file.data());
}
