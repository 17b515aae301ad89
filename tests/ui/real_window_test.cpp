// Starts the real program on an X server (Xvfb in the test run), looks at what the screen
// shows, clicks it like a player, then closes the window as a window manager would and
// checks that the program ends cleanly.

#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <memory>

namespace {

template <class Reply> using Owned = std::unique_ptr<Reply, decltype(&free)>;

xcb_connection_t* connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(const char* name) {
    const auto cookie = xcb_intern_atom(connection(), 0, static_cast<uint16_t>(strlen(name)), name);
    Owned<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection(), cookie, nullptr),
                                         &free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

QByteArray windowProperty(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
    const auto cookie = xcb_get_property(connection(), 0, window, name, type, 0, 256);
    Owned<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection(), cookie, nullptr),
                                          &free);
    return reply ? QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                              xcb_get_property_value_length(reply.get()))
                 : QByteArray();
}

xcb_window_t root() {
    return xcb_setup_roots_iterator(xcb_get_setup(connection())).data->root;
}

// The program's top-level window, found by its title exactly as the window manager gets it:
// the platform appends nothing.
xcb_window_t findProgramWindow() {
    Owned<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection(), xcb_query_tree(connection(), root()), nullptr), &free);
    for (int i = 0; tree && i < xcb_query_tree_children_length(tree.get()); ++i) {
        const xcb_window_t child = xcb_query_tree_children(tree.get())[i];
        if (windowProperty(child, atom("_NET_WM_NAME"), atom("UTF8_STRING")) == "ぺりおのひらき")
            return child;
    }
    return XCB_WINDOW_NONE;
}

// What a window manager sends when the user clicks a window's close box.
void requestClose(xcb_window_t window) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    xcb_send_event(connection(), 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection());
}

void clickAt(QPoint point) {
    xcb_test_fake_input(connection(), XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root(),
                        static_cast<int16_t>(point.x()), static_cast<int16_t>(point.y()), 0);
    xcb_test_fake_input(connection(), XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, root(), 0, 0, 0);
    xcb_test_fake_input(connection(), XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, root(), 0, 0, 0);
    xcb_flush(connection());
    QTest::qWait(200);
}

QImage grabScreen() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

// The bounding box of the pixels of one colour: how the test finds a control on screen.
QRect findColour(const QImage& image, QRgb colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Light pixels: white text on the black window, anti-aliased.
int lightPixels(const QImage& image, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(image.pixel(x, y)) > 128 ? 1 : 0;
    return count;
}

} // namespace

class RealWindowTest : public QObject {
    Q_OBJECT

private slots:
    void programShowsItsWindowReactsToClicksAndEndsWhenClosed() {
        QVERIFY2(connection(), "needs an X server: run under scripts/xvfb.sh");
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        // The notebook and the last entry go to a data folder of the test's own.
        QTemporaryDir data;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", data.path());
        program.setProcessEnvironment(environment);
        program.start(qEnvironmentVariable("PELIO_PROGRAM"), {});
        QVERIFY(program.waitForStarted());

        xcb_window_t window = XCB_WINDOW_NONE;
        QTRY_VERIFY_WITH_TIMEOUT((window = findProgramWindow()) != XCB_WINDOW_NONE, 10000);
        // The class half of WM_CLASS, by which desktops match the window to its desktop entry.
        QCOMPARE(windowProperty(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING).split('\0').value(1),
                 "Pelio");

        // The command band: yellow 完了, cyan クリア, red 全フラグセット side by side, and
        // the grey page switch above クリア's right; places relative to 完了, in pixels.
        QTRY_VERIFY_WITH_TIMEOUT(!findColour(grabScreen(), qRgb(255, 255, 0)).isNull(), 10000);
        QTest::qWait(300);
        const QImage screen = grabScreen();
        const QRect answer = findColour(screen, qRgb(255, 255, 0));
        QCOMPARE(answer.size(), QSize(177, 17));
        const auto at = [&](int x, int y) { return answer.topLeft() + QPoint(x, y); };
        QCOMPARE(screen.pixel(at(218, 2)) | 0xFF000000, qRgb(0, 255, 255));
        QCOMPARE(screen.pixel(at(308, 2)) | 0xFF000000, qRgb(255, 0, 0));
        QCOMPARE(screen.pixel(at(355, -30)) | 0xFF000000, qRgb(128, 128, 128));

        // A player's clicks on 全フラグセット and 完了 show a memo in the memo box.
        const QRect memoBox(at(64 + 3, 56 + 3), QSize(315, 19));
        QCOMPARE(lightPixels(screen, memoBox), 0);
        clickAt(at(355, 10));
        clickAt(at(88, 8));
        QTRY_VERIFY_WITH_TIMEOUT(lightPixels(grabScreen(), memoBox) > 100, 5000);
        const QString screenshot = qEnvironmentVariable("PELIO_SCREENSHOT");
        QVERIFY(screenshot.isEmpty() ||
                QGuiApplication::primaryScreen()->grabWindow(window).save(screenshot));

        requestClose(window);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_MAIN(RealWindowTest)
#include "real_window_test.moc"
