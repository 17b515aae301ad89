// Pastes a 10 MB text into the memo box sixteen times, as a player might by mistake, and
// prints the peak resident memory before and after in megabytes: "start-MB after-MB". The box
// refuses such a paste whole, so the peak should barely move.
#include "ui/appearance.h"
#include "ui/pelio.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <sys/resource.h>

#include <cstdio>

namespace {

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pelio::ui::applyAppearance();
    pelio::ui::Pelio window;
    window.show();
    auto* memo = window.findChild<QLineEdit*>("PWD");
    memo->setFocus();

    constexpr int kPastes = 16;
    constexpr qsizetype kPasteUnits = 5 * 1024 * 1024; // 10 MB of UTF-16
    // The clipboard is the program's own unless another one already holds the text.
    if (QGuiApplication::clipboard()->text().isEmpty())
        QGuiApplication::clipboard()->setText(QString(kPasteUnits, u'ま'));
    QCoreApplication::processEvents();
    const double start = peakMegabytes();
    for (int i = 0; i < kPastes; ++i) {
        QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }
    std::printf("%.1f %.1f\n", start, peakMegabytes());
    return memo->text().isEmpty() ? 0 : 1;
}
