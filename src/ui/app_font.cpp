#include "ui/app_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace pelio::ui {

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

} // namespace pelio::ui
