#include "windowsystem.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace app {
namespace {

xcb_connection_t* connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

struct FreeReply
{
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_window_t rootWindow(xcb_connection_t* c)
{
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

// Whether a running window manager says it supports the given hint.
bool supported(xcb_connection_t* c, xcb_atom_t hint)
{
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c,
        xcb_get_property(c, 0, rootWindow(c), atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0,
                         4096),
        nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i) {
        if (atoms[i] == hint)
            return true;
    }
    return false;
}

} // namespace

void askForNoTitleButtons(QWidget* window, bool sizeable)
{
    xcb_connection_t* c = connection();
    if (!c)
        return;
    // Motif hints: flags, functions, decorations, input mode, status. Qt writes functions only
    // and leaves the decorations (window menu, minimise, maximise) to the window manager.
    enum : uint32_t {
        Functions = 1,
        Decorations = 2,
        FuncResize = 2,
        FuncMove = 4,
        DecorBorder = 2,
        DecorResizeHandle = 4,
        DecorTitle = 8,
    };
    const uint32_t hints[5] = {
        Functions | Decorations,
        FuncMove | (sizeable ? uint32_t(FuncResize) : 0),
        DecorBorder | DecorTitle | (sizeable ? uint32_t(DecorResizeHandle) : 0),
        0,
        0,
    };
    const xcb_atom_t motif = atom(c, "_MOTIF_WM_HINTS");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), motif, motif,
                        32, 5, hints);
    xcb_flush(c);
}

std::optional<QMargins> frameExtents(QWidget* window)
{
    xcb_connection_t* c = connection();
    if (!c)
        return std::nullopt;
    const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    if (!supported(c, request))
        return std::nullopt;

    const auto id = xcb_window_t(window->winId());
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(c, 0, rootWindow(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);

    // The window manager answers by setting _NET_FRAME_EXTENTS (left, right, top, bottom); it
    // usually does within a few milliseconds, and a window is placed only once.
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    for (int attempt = 0; attempt < 50; ++attempt) {
        const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            c, xcb_get_property(c, 0, id, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
        if (reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) == 16) {
            const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
            return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return std::nullopt;
}

} // namespace app
