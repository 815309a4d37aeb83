// Edit-box operations.
#include "platform/ui/CEdit.h"

#include <QLineEdit>

BOOL CEdit::GetReadOnly() const
{
    auto* edit = qobject_cast<QLineEdit*>(GetWidget());
    return edit && edit->isReadOnly() ? TRUE : FALSE;
}
