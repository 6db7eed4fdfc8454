#include "ui/HotKeys.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QKeySequence>
#include <QPointer>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include <vector>

#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace {

// Application-wide shortcuts: the keys work while any window of the program has the focus.
class ShortcutHotKeys : public HotKeys
{
public:
    bool grab(int key, std::function<void()> handler, QWidget* window) override
    {
        auto* shortcut = new QShortcut(QKeySequence(key), window);
        shortcut->setContext(Qt::ApplicationShortcut);
        QObject::connect(shortcut, &QShortcut::activated, window, [handler] { handler(); });
        m_shortcuts.emplace_back(shortcut);
        return true;
    }
    void releaseAll() override
    {
        for (auto& s : m_shortcuts)
            delete s.data();
        m_shortcuts.clear();
    }

private:
    std::vector<QPointer<QShortcut>> m_shortcuts;
};

// Keys grabbed on the X server's root window, so they reach us whichever program has the focus.
// Each key is grabbed as it is and with NumLock and/or CapsLock held, since the server treats
// those as modifiers too.
class XcbHotKeys : public HotKeys, public QAbstractNativeEventFilter
{
public:
    explicit XcbHotKeys(xcb_connection_t* connection)
        : m_connection(connection), m_symbols(xcb_key_symbols_alloc(connection))
    {
        const xcb_setup_t* setup = xcb_get_setup(connection);
        m_root = xcb_setup_roots_iterator(setup).data->root;
        m_numLock = numLockMask();
    }

    ~XcbHotKeys() override
    {
        releaseAll();
        if (m_symbols)
            xcb_key_symbols_free(m_symbols);
    }

    bool grab(int key, std::function<void()> handler, QWidget* window) override
    {
        for (Grab& g : m_grabs) {
            if (g.key == key) {
                g.handler = std::move(handler);
                g.window = window;
                return true;
            }
        }
        const xcb_keycode_t code = keycodeFor(key);
        if (code == XCB_NO_SYMBOL)
            return false;

        std::vector<xcb_void_cookie_t> cookies;
        for (uint16_t modifiers : lockVariants())
            cookies.push_back(xcb_grab_key_checked(m_connection, 0, m_root, modifiers, code,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        bool refused = false;
        for (const xcb_void_cookie_t& cookie : cookies) {
            if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
                refused = true; // BadAccess: another program holds this key
                std::free(error);
            }
        }
        if (refused) {
            ungrab(code); // only our own grabs are released
            return false;
        }
        m_grabs.push_back({key, code, std::move(handler), window});
        if (!m_filtering) {
            QCoreApplication::instance()->installNativeEventFilter(this);
            m_filtering = true;
        }
        return true;
    }

    void releaseAll() override
    {
        for (const Grab& g : m_grabs)
            ungrab(g.code);
        m_grabs.clear();
        if (m_filtering) {
            if (QCoreApplication* app = QCoreApplication::instance())
                app->removeNativeEventFilter(this);
            m_filtering = false;
        }
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
            return false;
        auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
        const uint16_t modifiers = press->state & ModifierBits & ~uint16_t(XCB_MOD_MASK_LOCK | m_numLock);
        if (modifiers != 0)
            return false;
        for (const Grab& g : m_grabs) {
            if (g.code != press->detail)
                continue;
            // Run after the event in progress, as any other window event would.
            QObject* context =
                g.window ? static_cast<QObject*>(g.window.data()) : QCoreApplication::instance();
            std::function<void()> handler = g.handler;
            QTimer::singleShot(0, context, [handler] {
                if (handler)
                    handler();
            });
            return true;
        }
        return false;
    }

private:
    struct Grab
    {
        int key;
        xcb_keycode_t code;
        std::function<void()> handler;
        QPointer<QWidget> window;
    };

    static constexpr uint16_t ModifierBits = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_CONTROL |
                                             XCB_MOD_MASK_1 | XCB_MOD_MASK_2 | XCB_MOD_MASK_3 |
                                             XCB_MOD_MASK_4 | XCB_MOD_MASK_5;

    // No modifier, NumLock, CapsLock, both.
    std::vector<uint16_t> lockVariants() const
    {
        return {0, m_numLock, XCB_MOD_MASK_LOCK, uint16_t(m_numLock | XCB_MOD_MASK_LOCK)};
    }

    // The modifier NumLock is mapped to; Mod2 on nearly every keyboard map.
    uint16_t numLockMask() const
    {
        uint16_t mask = XCB_MOD_MASK_2;
        if (!m_symbols)
            return mask;
        xcb_keycode_t* numLockCodes = xcb_key_symbols_get_keycode(m_symbols, 0xff7f); // XK_Num_Lock
        if (!numLockCodes)
            return mask;
        xcb_get_modifier_mapping_reply_t* reply =
            xcb_get_modifier_mapping_reply(m_connection, xcb_get_modifier_mapping(m_connection), nullptr);
        if (reply) {
            const xcb_keycode_t* map = xcb_get_modifier_mapping_keycodes(reply);
            const int perModifier = reply->keycodes_per_modifier;
            for (int mod = 0; mod < 8; ++mod) {
                for (int i = 0; i < perModifier; ++i) {
                    const xcb_keycode_t code = map[mod * perModifier + i];
                    for (const xcb_keycode_t* n = numLockCodes; code != 0 && *n != XCB_NO_SYMBOL; ++n) {
                        if (*n == code)
                            mask = uint16_t(1u << mod);
                    }
                }
            }
            std::free(reply);
        }
        std::free(numLockCodes);
        return mask;
    }

    xcb_keycode_t keycodeFor(int key) const
    {
        if (!m_symbols || key < Qt::Key_F1 || key > Qt::Key_F35)
            return XCB_NO_SYMBOL;
        const xcb_keysym_t keysym = 0xffbe + xcb_keysym_t(key - Qt::Key_F1); // XK_F1 ..
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(m_symbols, keysym);
        if (!codes)
            return XCB_NO_SYMBOL;
        const xcb_keycode_t code = codes[0];
        std::free(codes);
        return code;
    }

    void ungrab(xcb_keycode_t code)
    {
        for (uint16_t modifiers : lockVariants())
            xcb_ungrab_key(m_connection, code, m_root, modifiers);
        xcb_flush(m_connection);
    }

    xcb_connection_t* m_connection;
    xcb_key_symbols_t* m_symbols;
    xcb_window_t m_root = 0;
    uint16_t m_numLock = XCB_MOD_MASK_2;
    std::vector<Grab> m_grabs;
    bool m_filtering = false;
};

xcb_connection_t* x11Connection()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

std::unique_ptr<HotKeys> createSystemHotKeys()
{
    if (xcb_connection_t* connection = x11Connection())
        return std::make_unique<XcbHotKeys>(connection);
    return std::make_unique<ShortcutHotKeys>();
}
