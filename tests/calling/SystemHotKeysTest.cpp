// The real system-wide keys need an X server: run this executable with QT_QPA_PLATFORM=xcb and a
// DISPLAY (Xvfb will do). Under the offscreen platform the tests are skipped.
#include "CallingSupport.h"
#include "ui/HotKeys.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace {

// Another program on the same display.
class OtherClient
{
public:
    OtherClient() : m_connection(xcb_connect(nullptr, nullptr))
    {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        m_symbols = xcb_key_symbols_alloc(m_connection);
    }
    ~OtherClient()
    {
        xcb_key_symbols_free(m_symbols);
        xcb_disconnect(m_connection);
    }
    xcb_keycode_t code(xcb_keysym_t keysym)
    {
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(m_symbols, keysym);
        const xcb_keycode_t c = codes ? codes[0] : 0;
        std::free(codes);
        return c;
    }
    bool grab(xcb_keysym_t keysym)
    {
        xcb_generic_error_t* error =
            xcb_request_check(m_connection, xcb_grab_key_checked(m_connection, 0, m_root, 0, code(keysym),
                                                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(error);
        return error == nullptr;
    }

private:
    xcb_connection_t* m_connection;
    xcb_window_t m_root = 0;
    xcb_key_symbols_t* m_symbols = nullptr;
};

constexpr xcb_keysym_t XK_F4 = 0xffc1;
constexpr xcb_keysym_t XK_F6 = 0xffc3;

// Delivers a key press as the X server would, through the application's native event filters.
bool deliverPress(xcb_keycode_t code, uint16_t state)
{
    xcb_key_press_event_t press{};
    press.response_type = XCB_KEY_PRESS;
    press.detail = code;
    press.state = state;
    qintptr result = 0;
    const bool consumed = QAbstractEventDispatcher::instance()->filterNativeEvent(
        QByteArrayLiteral("xcb_generic_event_t"), &press, &result);
    QCoreApplication::processEvents();
    return consumed;
}

TEST(SystemHotKeysTest, GrabsOnTheRootWindowWithLockVariantsAndReportsKeysHeldElsewhere)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (QT_QPA_PLATFORM=xcb)";
    OtherClient other;
    ASSERT_TRUE(other.grab(XK_F6));

    QWidget window;
    int f4 = 0;
    {
        auto keys = createSystemHotKeys();
        EXPECT_TRUE(keys->grab(
            Qt::Key_F4, [&] { ++f4; }, &window));
        EXPECT_FALSE(keys->grab(
            Qt::Key_F6, [] {}, &window)); // BadAccess: the other client holds it
        // While we hold F4, nobody else gets it.
        EXPECT_FALSE(other.grab(XK_F4));

        const xcb_keycode_t code = other.code(XK_F4);
        EXPECT_TRUE(deliverPress(code, 0));
        EXPECT_TRUE(deliverPress(code, XCB_MOD_MASK_2));                     // NumLock on
        EXPECT_TRUE(deliverPress(code, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2)); // and CapsLock
        EXPECT_FALSE(deliverPress(code, XCB_MOD_MASK_CONTROL));              // Ctrl+F4 is not ours
        EXPECT_FALSE(deliverPress(other.code(XK_F6), 0));
        EXPECT_EQ(f4, 3);

        keys->releaseAll();
        EXPECT_FALSE(deliverPress(code, 0));
        EXPECT_EQ(f4, 3);
    }
    // Released: another program may have F4 now.
    EXPECT_TRUE(other.grab(XK_F4));
}

} // namespace
