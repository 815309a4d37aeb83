// DDX_Control and DDX_Text.
#include "platform/ui/CDataExchange.h"

#include "platform/ui/CDialog.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.GetSafeHwnd())
        return;
    if (CWnd* item = pDX->m_pDlgWnd->GetDlgItem(nIDC))
        rControl.Attach(item->GetSafeHwnd());
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value)
{
    CWnd* item = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (!item)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = item->GetWindowText();
    } else if (item->GetWindowText() != value) {
        item->SetWindowText(value);
    }
}
