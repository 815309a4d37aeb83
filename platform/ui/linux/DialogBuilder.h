// Building a dialog's controls from its template.
#pragma once

#include "platform/ui/CRect.h"
#include "platform/ui/Resources.h"

class CDialog;
class QWidget;
class QFont;

namespace ui::detail {

// Dialog base units of a font: the average width of "A".."Z" "a".."z" (rounded as the dialog
// manager rounds it) and the character height.
CPoint BaseUnitsOf(const QFont& font);

// One dialog-unit length in pixels, rounded to the nearest (MulDiv).
int HorizontalPixels(int dialogUnits, const CPoint& baseUnits);
int VerticalPixels(int dialogUnits, const CPoint& baseUnits);

// Creates the template's controls as children of dialog in template order (which is the tab
// order and, first on top, the stacking order), and routes their notifications to owner.
void BuildControls(QWidget& dialog, const DialogTemplate& tmpl, const CPoint& baseUnits, CDialog& owner);

} // namespace ui::detail
