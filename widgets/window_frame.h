// What the window manager draws around a window.
#pragma once

class QWidget;

namespace r7t::ui {

// Asks the window manager for a title bar and nothing else: no close,
// minimise or maximise box. Qt's flags say so, but on X11 Qt leaves the
// window manager's functions open when no box is asked for, and most window
// managers then add the boxes anyway. Call once the native window exists
// (in showEvent); elsewhere it does nothing more than the flags.
void keepTitleBarOnly(QWidget* window);

} // namespace r7t::ui
