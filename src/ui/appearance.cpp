#include "ui/appearance.h"

#include <QApplication>
#include <QFontDatabase>
#include <QProxyStyle>
#include <QStringList>
#include <QStyleFactory>

namespace pelio::ui {
namespace {

// Fusion's check box puts 20 pixels of indicator and spacing before the caption; the
// layout leaves room for the 17 of a classic desktop check box and no more.
class CompactCheckBoxStyle : public QProxyStyle {
public:
    CompactCheckBoxStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
            return 13;
        case PM_CheckBoxLabelSpacing:
            return 4;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
};

} // namespace

QFont applicationFont() {
    // Proportional kana keep the longest check-box captions inside their boxes; fonts with
    // full-width kana overflow a few of them at any size that stays legible.
    static const QStringList preferred{"IPAPGothic", "IPA Pゴシック", "VL PGothic",
                                       "Noto Sans CJK JP", "IPAGothic"};
    QStringList families;
    const QStringList installed = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& family : preferred)
        if (installed.contains(family))
            families << family;
    for (const QString& family : installed)
        if (!families.contains(family))
            families << family;

    QFont font;
    if (!families.isEmpty())
        font.setFamilies(families);
    font.setPixelSize(11);
    return font;
}

void applyAppearance() {
    QApplication::setStyle(new CompactCheckBoxStyle);
    QApplication::setFont(applicationFont());
}

} // namespace pelio::ui
