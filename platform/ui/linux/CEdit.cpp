// Edit-box operations.
#include "platform/ui/CEdit.h"

#include <QLineEdit>

#include "platform/ui/linux/WidgetOf.h"
#include "platform/ui/detail/UiBackend.h"

BOOL CEdit::GetReadOnly() const
{
    auto* edit = qobject_cast<QLineEdit*>(WidgetOf(this));
    return edit && edit->isReadOnly() ? TRUE : FALSE;
}
