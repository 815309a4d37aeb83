// Message boxes on Qt: text, caption, OK, optional exclamation icon.
#include "platform/ui/detail/UiBackend.h"

#include "platform/ui/linux/MessageBoxWindow.h"
#include "platform/ui/linux/UiInternal.h"

namespace ui::detail {

int ShowSystemMessageBox(const MessageBoxCall& call)
{
    const std::unique_ptr<QMessageBox> box = BuildMessageBox(
        call.owner ? ToWidget(call.owner) : DefaultOwner(), call.text, call.caption, call.type);
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    return IDOK;
}

} // namespace ui::detail
