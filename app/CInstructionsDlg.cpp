// The instructions box on template 133; its Close button is the OK command.
#include "app/CInstructionsDlg.h"

#include "platform/ui/CDataExchange.h"
#include "res/resource.h"

CInstructionsDlg::CInstructionsDlg(CWnd* pParent) : CDialog(IDD_INSTRUCTIONS, pParent) {}

void CInstructionsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_INSTRUCTIONS_TEXT, m_strText);
}
