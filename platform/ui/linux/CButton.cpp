// Button operations: check state and clicks.
#include "platform/ui/CButton.h"

#include <QAbstractButton>

#include "platform/ui/linux/WidgetOf.h"
#include "platform/ui/detail/UiBackend.h"

int CButton::GetCheck() const
{
    auto* button = qobject_cast<QAbstractButton*>(WidgetOf(this));
    return button && button->isCheckable() && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int nCheck)
{
    auto* button = qobject_cast<QAbstractButton*>(WidgetOf(this));
    if (button && button->isCheckable())
        button->setChecked(nCheck == BST_CHECKED);
}

void CButton::Click()
{
    if (auto* button = qobject_cast<QAbstractButton*>(WidgetOf(this)))
        button->click(); // a disabled button ignores it
}
