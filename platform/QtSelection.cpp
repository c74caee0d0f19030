#include "platform/QtSelection.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace morva {
namespace {

bool OnX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

xcb_connection_t* X11Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

struct TFree {
    void operator()(void* reply) const { std::free(reply); }
};

// Whether a key is down in the keymap of the whole keyboard.
bool KeyDown(const xcb_query_keymap_reply_t& keymap, xcb_keycode_t key)
{
    return key && (keymap.keys[key / 8] >> (key % 8)) & 1;
}

// The key code of Escape in the server's keyboard map, looked up once.
xcb_keycode_t EscapeKeyCode(xcb_connection_t* connection)
{
    constexpr xcb_keysym_t Escape = 0xFF1B;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    std::unique_ptr<xcb_get_keyboard_mapping_reply_t, TFree> map(xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr));
    if (!map)
        return 0;
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(map.get());
    for (int i = 0; i < count * map->keysyms_per_keycode; ++i)
        if (symbols[i] == Escape)
            return xcb_keycode_t(setup->min_keycode + i / map->keysyms_per_keycode);
    return 0;
}

} // namespace

TQtPrimarySelection::~TQtPrimarySelection()
{
    QObject::disconnect(connection_);
}

bool TQtPrimarySelection::IsAvailable() const
{
    return OnX11() && QGuiApplication::clipboard()->supportsSelection();
}

QString TQtPrimarySelection::Text() const
{
    // Under Wayland only while one of the program's windows has the keyboard.
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard->supportsSelection() ? clipboard->text(QClipboard::Selection) : QString();
}

void TQtPrimarySelection::Watch(std::function<void()> changed)
{
    QObject::disconnect(connection_);
    if (!changed || !IsAvailable())
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    connection_ = QObject::connect(clipboard, &QClipboard::selectionChanged, clipboard, [clipboard, changed] {
        if (!clipboard->ownsSelection())
            changed();
    });
}

TPointerState TX11DesktopPointer::State() const
{
    TPointerState state;
    state.Position = QCursor::pos();
    xcb_connection_t* connection = OnX11() ? X11Connection() : nullptr;
    if (!connection)
        return state;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    std::unique_ptr<xcb_query_pointer_reply_t, TFree> pointer(
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr));
    if (pointer) {
        state.ButtonDown = pointer->mask & (XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3);
        state.CtrlHeld = pointer->mask & XCB_MOD_MASK_CONTROL;
    }
    static const xcb_keycode_t escape = EscapeKeyCode(connection);
    std::unique_ptr<xcb_query_keymap_reply_t, TFree> keymap(
        xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr));
    state.EscapeDown = keymap && KeyDown(*keymap, escape);
    return state;
}

} // namespace morva
