// Dialog templates of the program's resources as the system's own in-memory templates (DLGTEMPLATEEX).
#pragma once

#include <vector>

#include "platform/ui/Resources.h"

namespace ui::detail {

// The template, its controls and its font, laid out as CreateDialogIndirectParam and
// DialogBoxIndirectParam read them; the system then converts dialog units with the dialog font.
// The buffer is WORD-sized, so it starts DWORD-aligned as the system requires.
std::vector<DWORD> BuildDialogTemplate(const DialogTemplate& tmpl);

// The system's window class of a template control.
const wchar_t* SystemClassOf(ControlClass windowClass);

} // namespace ui::detail
