// The proxy login dialog on template 130; its checks are those of ProxyLoginRules.
#include "service/CProxyLoginDlg.h"

#include "platform/ui/CDataExchange.h"
#include "res/resource.h"
#include "service/ProxyLoginRules.h"

BEGIN_MESSAGE_MAP(CProxyLoginDlg, CDialog)
END_MESSAGE_MAP()

CProxyLoginDlg::CProxyLoginDlg(CWnd* pParent) : CDialog(IDD_PROXY_LOGIN, pParent) {}

CProxyLoginDlg::~CProxyLoginDlg() = default;

void CProxyLoginDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROXY_PASSWORD, m_strPassword);
    DDX_Text(pDX, IDC_PROXY_USER, m_strUser);
}

void CProxyLoginDlg::OnOK()
{
    UpdateData(TRUE);
    if (const char* problem = service::ProxyLoginProblem(m_strPassword, m_strUser)) {
        MessageBox(problem, nullptr, MB_OK);
        return;
    }
    CDialog::OnOK();
}

void CProxyLoginDlg::OnCancel()
{
    CDialog::OnCancel();
}
