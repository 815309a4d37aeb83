// A dialog class on the test form template that records what its handlers saw.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/CButton.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CListCtrl.h"
#include "tests/platform/ui/TestResources.h"

class TestForm : public CDialog
{
public:
    TestForm() : CDialog(IDD_TEST_FORM) {}

    std::string m_strEdit;
    CEdit m_edit;
    CListCtrl m_list;
    CButton m_radioA;

    std::vector<std::string> events; // "push", "change:<text>", "dblclk:<id>", "ok", "cancel", ...
    std::function<void()> onPush;    // runs inside the push handler
    int initCount = 0;

    BOOL OnInitDialog() override
    {
        ++initCount;
        return CDialog::OnInitDialog();
    }
    void OnOK() override
    {
        events.push_back("ok");
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        events.push_back("cancel");
        CDialog::OnCancel();
    }

    void OnPush()
    {
        events.push_back("push");
        if (onPush)
            onPush();
    }
    void OnChangeEdit() { events.push_back("change:" + GetDlgItem(IDC_T_EDIT)->GetWindowText()); }
    void OnDblClkList(NMHDR* header, LRESULT* result)
    {
        events.push_back("dblclk:" + std::to_string(header->idFrom));
        *result = 0;
    }
    void OnSysCommand(UINT nID, LPARAM lParam)
    {
        events.push_back("syscommand:" + std::to_string(nID & 0xFFF0));
        CDialog::OnSysCommand(nID, lParam);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_T_EDIT, m_edit);
        DDX_Control(pDX, IDC_T_LIST, m_list);
        DDX_Control(pDX, IDC_T_RADIO_A, m_radioA);
        DDX_Text(pDX, IDC_T_EDIT, m_strEdit);
    }
    DECLARE_MESSAGE_MAP()
};
