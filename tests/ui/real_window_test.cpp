// Starts the real program on an X server (Xvfb in the test run), looks at what the screen
// shows, clicks it like a player, then closes the window as a window manager would and
// checks that the program ends cleanly.

#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QtTest>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <memory>
#include <optional>

namespace {

// The title exactly as the window manager gets it: the platform appends nothing.
const QString kTitle = QStringLiteral("ぺりおのひらき");

xcb_connection_t* connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(const char* name) {
    const auto cookie = xcb_intern_atom(connection(), 0, static_cast<uint16_t>(strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
        xcb_intern_atom_reply(connection(), cookie, nullptr), &free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t rootWindow() {
    return xcb_setup_roots_iterator(xcb_get_setup(connection())).data->root;
}

QString windowTitle(xcb_window_t window) {
    const auto cookie = xcb_get_property(connection(), 0, window, atom("_NET_WM_NAME"),
                                         atom("UTF8_STRING"), 0, 256);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(connection(), cookie, nullptr), &free);
    if (!reply)
        return {};
    return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.get())),
                             xcb_get_property_value_length(reply.get()));
}

// The class half of WM_CLASS, by which X11 desktops match a window to its desktop entry's
// StartupWMClass.
QString windowClass(xcb_window_t window) {
    const auto cookie =
        xcb_get_property(connection(), 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(connection(), cookie, nullptr), &free);
    if (!reply)
        return {};
    const QByteArray instanceAndClass(static_cast<const char*>(xcb_get_property_value(reply.get())),
                                      xcb_get_property_value_length(reply.get()));
    return QString::fromLatin1(instanceAndClass.split('\0').value(1));
}

// The program's top-level window, found by its title among the root's children.
xcb_window_t findProgramWindow() {
    const auto cookie = xcb_query_tree(connection(), rootWindow());
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&free)> tree(
        xcb_query_tree_reply(connection(), cookie, nullptr), &free);
    if (!tree)
        return XCB_WINDOW_NONE;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
        if (windowTitle(children[i]) == kTitle)
            return children[i];
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
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection(), 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection());
}

void clickAt(QPoint point) {
    xcb_connection_t* c = connection();
    const xcb_window_t root = rootWindow();
    xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root,
                        static_cast<int16_t>(point.x()), static_cast<int16_t>(point.y()), 0);
    xcb_test_fake_input(c, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, root, 0, 0, 0);
    xcb_test_fake_input(c, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, root, 0, 0, 0);
    xcb_flush(c);
    QTest::qWait(200);
}

QImage grabScreen() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

// The bounding box of the pixels of one colour: how the test finds a control on screen.
std::optional<QRect> findColour(const QImage& image, QRgb colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                box |= QRect(x, y, 1, 1);
    return box.isNull() ? std::nullopt : std::optional(box);
}

// Light pixels: white text on the black window, anti-aliased.
int lightPixels(const QImage& image, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(image.pixel(x, y)) > 128 ? 1 : 0;
    return count;
}

// Offsets within the window's client area, in pixels (the layout's twips / 15).
constexpr QPoint kAnswer(112, 208);
QPoint client(QPoint answerOnScreen, int left, int top) {
    return answerOnScreen - kAnswer + QPoint(left, top);
}

} // namespace

class RealWindowTest : public QObject {
    Q_OBJECT

private slots:
    void programShowsItsWindowReactsToClicksAndEndsWhenClosed() {
        const QString programPath = qEnvironmentVariable("PELIO_PROGRAM");
        const QString screenshotPath = qEnvironmentVariable("PELIO_SCREENSHOT");
        QVERIFY2(!programPath.isEmpty(), "set PELIO_PROGRAM to the program to start");
        QVERIFY2(connection(), "needs an X server: run under xvfb-run");

        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        program.setProcessEnvironment(env);
        program.start(programPath, {});
        QVERIFY(program.waitForStarted());

        xcb_window_t window = XCB_WINDOW_NONE;
        QTRY_VERIFY_WITH_TIMEOUT((window = findProgramWindow()) != XCB_WINDOW_NONE, 10000);
        QCOMPARE(windowClass(window), QStringLiteral("Pelio"));

        // The command band: yellow 完了, cyan クリア, red 全フラグセット side by side, and
        // the grey page switch above クリア's right.
        std::optional<QRect> answer;
        QTRY_VERIFY_WITH_TIMEOUT((answer = findColour(grabScreen(), qRgb(255, 255, 0))), 10000);
        QTest::qWait(300);
        QImage screen = grabScreen();
        answer = findColour(screen, qRgb(255, 255, 0));
        QVERIFY(answer);
        QCOMPARE(answer->size(), QSize(177, 17));
        const QPoint origin = answer->topLeft();
        const struct {
            const char* name;
            QPoint place;
            QRgb colour;
        } expected[] = {
            {"Answer", client(origin, 200, 216), qRgb(255, 255, 0)},
            {"Nm_Clear", client(origin, 330, 210), qRgb(0, 255, 255)},
            {"Allset", client(origin, 420, 210), qRgb(255, 0, 0)},
            {"Lab_Pag", client(origin, 467, 178), qRgb(128, 128, 128)},
        };
        for (const auto& control : expected)
            QVERIFY2((screen.pixel(control.place) & 0xFFFFFF) == (control.colour & 0xFFFFFF),
                     control.name);

        // A player's clicks: the name たんてい on the keyboard, every flag, then 完了.
        const QRect memoBox(client(origin, 176, 264), QSize(321, 25));
        const QRect firstNameBox(client(origin, 72, 32), QSize(17, 18));
        QCOMPARE(lightPixels(screen, memoBox.adjusted(3, 3, -3, -3)), 0);
        for (QPoint key : {QPoint(16, 104), QPoint(112, 88), QPoint(64, 104), QPoint(32, 56)}) {
            clickAt(client(origin, key.x() + 8, key.y() + 8));
            clickAt(client(origin, 100, 184)); // --入力--
        }
        QVERIFY(lightPixels(grabScreen(), firstNameBox.adjusted(2, 2, -2, -2)) > 10);
        clickAt(client(origin, 467, 218)); // 全フラグセット
        clickAt(client(origin, 200, 216)); // 完了
        QTRY_VERIFY_WITH_TIMEOUT(lightPixels(grabScreen(), memoBox.adjusted(3, 3, -3, -3)) > 100,
                                 5000);
        if (!screenshotPath.isEmpty())
            QVERIFY(QGuiApplication::primaryScreen()->grabWindow(window).save(screenshotPath));

        requestClose(window);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_MAIN(RealWindowTest)
#include "real_window_test.moc"
