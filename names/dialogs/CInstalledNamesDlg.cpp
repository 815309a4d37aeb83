// "Names On This Computer": lists the names installed in a Velmora folder and takes one by double click.
#include "names/dialogs/CInstalledNamesDlg.h"

#include "locator/VelmoraSearch.h"
#include "platform/fs/CFileFind.h"
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

    // A name N is installed when N^.wav is there; it is played from N.wav beside it. Any entry whose
    // name holds "^.wav" counts, folders included, and loses its last five characters; hidden entries
    // (our temporaries among them, ".N^.wav.~XXXXXX") are no recordings.
    CFileFind finder;
    int index = 0;
    for (bool more = finder.FindFile(velmora::NamesFolder(m_strVelmoraDir) + "\\*.*"); more;) {
        more = finder.FindNextFile();
        const std::string name = finder.GetFileName();
        if (name.find("^.wav") == std::string::npos || finder.IsHidden() || name[0] == '.')
            continue;
        m_list.InsertItem(index++, name.substr(0, name.size() - 5));
    }
    finder.Close();
    return TRUE;
}

void CInstalledNamesDlg::OnDblClkInstalledList(NMHDR*, LRESULT* pResult)
{
    const int mark = m_list.GetSelectionMark();
    m_strChosenName = mark >= 0 ? m_list.GetItemText(mark, 0) : std::string();
    *pResult = 0;
}
