// The toolkit's floor for start-up: an empty main window with one Japanese label and none of our
// code, not even the program's style and fonts. What any Qt program that shows Japanese costs.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("ぺりおのひらき"), &window));
    window.adjustSize();
    if (const QScreen* screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    return QApplication::exec();
}
