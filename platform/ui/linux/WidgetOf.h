// The Qt widget behind a window of the dialog layer, for the Qt backend and for tests that act on
// real widgets (QTest). Code above the layer never needs it.
#pragma once

class CWnd;
class QWidget;

// Null for a null or detached window.
QWidget* WidgetOf(const CWnd* window);
