// Button operations: check state and clicks.
#include "platform/ui/CButton.h"

#include <QAbstractButton>

int CButton::GetCheck() const
{
    auto* button = qobject_cast<QAbstractButton*>(GetWidget());
    return button && button->isCheckable() && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int nCheck)
{
    auto* button = qobject_cast<QAbstractButton*>(GetWidget());
    if (button && button->isCheckable())
        button->setChecked(nCheck == BST_CHECKED);
}

void CButton::Click()
{
    if (auto* button = qobject_cast<QAbstractButton*>(GetWidget()))
        button->click(); // a disabled button ignores it
}
