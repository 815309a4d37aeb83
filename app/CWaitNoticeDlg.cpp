// The "please wait" notice on template 132.
#include "app/CWaitNoticeDlg.h"

#include "platform/ui/CDataExchange.h"
#include "res/resource.h"

CWaitNoticeDlg::CWaitNoticeDlg(CWnd* pParent) : CDialog(IDD_WAIT_NOTICE, pParent) {}

void CWaitNoticeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NOTICE_TEXT, m_strText);
}
