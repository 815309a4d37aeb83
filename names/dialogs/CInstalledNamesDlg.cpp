// "Names On This Computer": lists the names installed in a Velmora folder and takes one by double click.
#include "names/dialogs/CInstalledNamesDlg.h"

#include "locator/VelmoraSearch.h"
#include "names/InstalledNames.h"
#include "platform/ui/CDataExchange.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CInstalledNamesDlg, CDialog)
ON_NOTIFY(NM_DBLCLK, IDC_INSTALLED_LIST, &CInstalledNamesDlg::OnDblClkInstalledList)
END_MESSAGE_MAP()

CInstalledNamesDlg::CInstalledNamesDlg(CWnd* pParent) : CDialog(IDD_INSTALLED_NAMES, pParent) {}

void CInstalledNamesDlg::SetVelmoraFolder(std::string folder)
{
    m_strVelmoraDir = std::move(folder);
}

void CInstalledNamesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_INSTALLED_LIST, m_list);
}

BOOL CInstalledNamesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    int index = 0;
    for (const std::string& name : namelist::InstalledNames(velmora::NamesFolder(m_strVelmoraDir)))
        m_list.InsertItem(index++, name);
    return TRUE;
}

void CInstalledNamesDlg::OnDblClkInstalledList(NMHDR*, LRESULT* pResult)
{
    const int mark = m_list.GetSelectionMark();
    m_strChosenName = mark >= 0 ? m_list.GetItemText(mark, 0) : std::string();
    *pResult = 0;
}
