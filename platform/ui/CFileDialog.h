// The file-open picker.
#pragma once

#include <optional>
#include <string>

#include "platform/ui/WinTypes.h"

class CWnd;
namespace ui {
struct FileOpenCall;
}

class CFileDialog
{
public:
    // Settings a caller may change before DoModal.
    struct OPENFILENAME
    {
        const char* lpstrInitialDir = nullptr; // Windows form
        DWORD Flags = 0;
    };

    // lpszFilter: pairs of description and pattern, each ended by '|' ("Names (zip)|VMRNames.zip|");
    // a pattern lists only the files it matches (';' separates several, '*' and '?' are wildcards).
    CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr, const char* lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);

    // IDOK when a file was chosen, IDCANCEL otherwise.
    INT_PTR DoModal();
    // The chosen file's full path in Windows form; empty after a cancel.
    std::string GetPathName() const { return m_strPathName; }

    OPENFILENAME m_ofn;

private:
    // The system's own picker for call: the chosen file in Windows form, nothing on cancel.
    std::optional<std::string> RunSystemPicker(const ui::FileOpenCall& call) const;

    BOOL m_bOpenFileDialog;
    std::string m_strDefExt;
    std::string m_strFileName;
    std::string m_strFilter;
    CWnd* m_pParentWnd;
    std::string m_strPathName;
};
