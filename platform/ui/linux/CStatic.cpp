// Static-control operations: the icon of an icon static.
#include "platform/ui/CStatic.h"

#include <QLabel>

#include "platform/ui/linux/UiInternal.h"
#include "platform/ui/detail/UiBackend.h"

using namespace ui::detail;

HICON CStatic::SetIcon(HICON hIcon)
{
    auto* label = qobject_cast<QLabel*>(WidgetOf(this));
    if (!label)
        return nullptr;
    HICON previous = GetIcon();
    label->setProperty(kBigIconProperty, QVariant::fromValue(reinterpret_cast<quintptr>(hIcon)));
    label->setPixmap(hIcon ? hIcon->large : QPixmap());
    return previous;
}

HICON CStatic::GetIcon() const
{
    auto* label = qobject_cast<QLabel*>(WidgetOf(this));
    return label ? reinterpret_cast<HICON>(label->property(kBigIconProperty).value<quintptr>()) : nullptr;
}
