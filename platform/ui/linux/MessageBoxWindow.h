// The window of a message box: text, caption, one OK button and an optional exclamation icon.
#pragma once

#include <QMessageBox>
#include <memory>
#include <string>

#include "platform/ui/WinTypes.h"

namespace ui::detail {

// Builds, without showing it, the box ShowMessageBox runs for the user: in the dialog font, framed
// as a dialog with a system menu (a close box, no minimise or maximise box), and with no picture on
// its OK button. MB_ICONEXCLAMATION adds the exclamation icon; the text is plain.
std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, const std::string& text,
                                             const std::string& caption, UINT type);

} // namespace ui::detail
