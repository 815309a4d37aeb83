// CMainDlg's name list: fetching the catalogue, the type-ahead search, the double click.
#include "app/CMainDlg.h"

#include "names/NameCommandSteps.h"
#include "names/NameSearch.h"

namespace {

// Every one of the eight low state bits: selecting clears the item's other low flags.
constexpr UINT kLowStateBits = 0x00FF;

void SelectItem(CListCtrl& list, int index)
{
    list.SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, kLowStateBits);
    list.SetSelectionMark(index);
    list.EnsureVisible(index, FALSE);
}

} // namespace

bool CMainDlg::FetchNameList()
{
    return namelist::FetchNameList(m_client, m_nameList);
}

void CMainDlg::OnChangeSearchText()
{
    UpdateData(TRUE);
    const namelist::SearchHit hit = namelist::FindSearchHit(m_nameList, m_strSearchText);
    if (hit.exact) {
        SelectItem(m_listNames, hit.index);
        m_strSelectedName = m_strSearchText;
        return;
    }
    m_strSelectedName = "";
    if (hit.index >= 0)
        SelectItem(m_listNames, hit.index);
}

void CMainDlg::OnDblClkNameList(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    const int mark = m_listNames.GetSelectionMark();
    m_strSelectedName = mark == -1 ? std::string() : m_listNames.GetItemText(mark, 0);
    m_editSearchText.SetWindowText(m_strSelectedName);
    *pResult = 0;
}
