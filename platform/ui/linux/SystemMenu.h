// The system menu's default entries and its pop-up (context menu, Alt+Space).
#pragma once

#include <QPoint>
#include <vector>

#include "platform/ui/CMenu.h"

class CWnd;
class QMenu;

namespace ui {

// Restore (greyed until minimised), Move, Minimize (with WS_MINIMIZEBOX), a separator and Close.
std::vector<CMenu::Item> DefaultSystemMenu(DWORD windowStyle);

// A pop-up built from the window's system menu; choosing an entry sends WM_SYSCOMMAND with its id.
// The caller owns the menu. Null when the window has no system menu.
QMenu* BuildSystemMenuPopup(CWnd& window);

// Shows that pop-up at a screen position and waits for the choice.
void PopUpSystemMenu(CWnd& window, QPoint screenPos);

} // namespace ui
