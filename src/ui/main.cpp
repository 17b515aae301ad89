#include "ui/application.h"
#include "ui/command_line.h"
#include "ui/pelio.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pelio::ui::configureApplication();
    const QString memo = pelio::ui::memoArgument(QCoreApplication::arguments());

    pelio::ui::Pelio window;
    // Read before the window shows, which then shows what came of it.
    if (!memo.isEmpty())
        window.readMemo(memo);
    window.adjustSize();
    if (const QScreen* screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    return QApplication::exec();
}
