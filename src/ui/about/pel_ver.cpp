#include "ui/about/pel_ver.h"

#include "ui/pixel_art.h"
#include "ui/twips.h"
#include "ui/version.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QSize>

namespace pelio::ui {
namespace {

constexpr QSize kClientSize(px(5910), px(2475));

const char* const kNotice =
    "本ソフトは、家庭用探偵ゲームの「そうさめも」を解読するためのアプリケーションです。"
    "同ゲームの権利者の許可を得ずに作成したものです。"
    "プレイヤーの皆さんのお役に立てれば幸いです。";

// The title's and the version's fonts are Windows fonts. Where one is missing the next
// installed family of its list stands in; the title's list holds only Japanese gothics so
// that its kana never fall to a font without them.
QFont titleFont() {
    QFont font;
    font.setFamilies({"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "IPAexGothic", "VL PGothic",
                      "Noto Sans CJK JP"});
    font.setPointSize(12);
    font.setWeight(QFont::Bold);
    return font;
}

QFont versionFont() {
    QFont font;
    font.setFamilies({"Comic Sans MS", "Comic Neue", "DejaVu Sans", "Liberation Sans"});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    return font;
}

// Captions sit at the top left of their box and never take focus (QLabel's default).
QLabel* addLabel(QWidget* dialog, const char* name, const QString& text, QRect place) {
    auto* label = new QLabel(text, dialog);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

Pel_Ver::Pel_Ver(QWidget* parent)
    : QDialog(parent) {
    setObjectName("Pel_Ver");
    setWindowTitle("ばーじょん");
    setFixedSize(kClientSize);

    addLabel(this, "Image1", QString(), twipsRect(240, 120, 600, 600))
        ->setPixmap(QPixmap::fromImage(aboutPicture()));

    addLabel(this, "Pel_Vti", "ぺりおのひらき", twipsRect(2160, 120, 1695, 255))
        ->setFont(titleFont());

    QLabel* version = addLabel(this, "Pel_Vlb1", QString("Version %1").arg(kProgramVersion),
                               twipsRect(4440, 480, 1215, 255));
    version->setFont(versionFont());
    QPalette versionColours = version->palette();
    versionColours.setColor(QPalette::WindowText, QColor(192, 64, 0));
    version->setPalette(versionColours);

    addLabel(this, "Pel_Vlb2", kNotice, twipsRect(120, 840, 5655, 855))->setWordWrap(true);

    addLabel(this, "Pel_Qor", "2000/04/05\u3000ぽむた", twipsRect(3960, 1680, 1815, 255));

    auto* button = new QPushButton(
        "そんなもん\u3000ようしらんわ。もうええねん\u3000わいは\u3000どうなってもいいんや。", this);
    button->setObjectName("Pel_Vbt");
    button->setGeometry(twipsRect(120, 2040, 5655, 375));
    connect(button, &QPushButton::clicked, this, &Pel_Ver::Pel_Vbt_Click);
}

void Pel_Ver::Pel_Vbt_Click() {
    hide();
}

} // namespace pelio::ui
