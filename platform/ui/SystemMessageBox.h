// The system's own message box, shown when no modal driver answers it (inside the dialog layer only).
#pragma once

#include "platform/ui/ModalDriver.h"

namespace ui::detail {

// Shows the box modally over its owner (or the default owner) and returns the button that ended it.
int ShowSystemMessageBox(const MessageBoxCall& call);

} // namespace ui::detail
