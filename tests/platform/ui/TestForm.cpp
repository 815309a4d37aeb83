// The test form's message table.
#include "tests/platform/ui/TestForm.h"

// clang-format off
BEGIN_MESSAGE_MAP(TestForm, CDialog)
    ON_WM_SYSCOMMAND()
    ON_BN_CLICKED(IDC_T_PUSH, &TestForm::OnPush)
    ON_EN_CHANGE(IDC_T_EDIT, &TestForm::OnChangeEdit)
    ON_NOTIFY(NM_DBLCLK, IDC_T_LIST, &TestForm::OnDblClkList)
END_MESSAGE_MAP()
// clang-format on
