#include "widgets/window_frame.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef R7T_HAVE_XCB
#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#endif

namespace r7t::ui {

void keepTitleBarOnly(QWidget* window)
{
#ifdef R7T_HAVE_XCB
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    static constexpr char kName[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr);
    if (!reply)
        return;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    // Motif hints: functions and decorations given; move only; border and title.
    constexpr uint32_t kFunctionsGiven = 1, kDecorationsGiven = 2, kMove = 4, kBorder = 2, kTitle = 8;
    const std::array<uint32_t, 5> hints = {kFunctionsGiven | kDecorationsGiven, kMove, kBorder | kTitle, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()), atom, atom, 32,
                        hints.size(), hints.data());
    xcb_flush(connection);
#else
    (void)window;
#endif
}

} // namespace r7t::ui
