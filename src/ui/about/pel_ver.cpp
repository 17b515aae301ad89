#include "ui/about/pel_ver.h"

#include "layout/about_layout.h"
#include "ui/pictures.h"
#include "ui/place_beside.h"
#include "ui/qt_text.h"
#include "ui/twips.h"

#include <QFont>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPushButton>

namespace pelio::ui {
namespace {

using namespace pelio::layout::about;

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
QLabel* addLabel(QWidget* dialog, const Text& text) {
    auto* label = new QLabel(qs(text.text), dialog);
    label->setObjectName(QString::fromLatin1(text.name.data(), qsizetype(text.name.size())));
    label->setGeometry(toPixels(text.cell));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

Pel_Ver::Pel_Ver(QWidget* parent)
    : QDialog(parent)
    , picture_(aboutPicture()) {
    setObjectName("Pel_Ver");
    setWindowTitle(qs(kTitle));
    setFixedSize(px(kClientWidth), px(kClientHeight));

    addLabel(this, kProgramTitle)->setFont(titleFont());

    QLabel* version = addLabel(this, kVersion);
    version->setFont(versionFont());
    QPalette versionColours = version->palette();
    versionColours.setColor(QPalette::WindowText, toColour(kVersionColour));
    version->setPalette(versionColours);

    addLabel(this, kNotice)->setWordWrap(true);
    addLabel(this, kRelease);

    auto* button = new QPushButton(qs(kButton.text), this);
    button->setObjectName(QString::fromLatin1(kButton.name.data(), qsizetype(kButton.name.size())));
    button->setGeometry(toPixels(kButton.cell));
    connect(button, &QPushButton::clicked, this, &Pel_Ver::Pel_Vbt_Click);
}

void Pel_Ver::placeBeside(const QWidget* window) {
    ui::placeBeside(*this, *window);
}

void Pel_Ver::Pel_Vbt_Click() {
    hide();
}

void Pel_Ver::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // Painted, not a picture control: it is decoration that assistive technology need not
    // list, and without smoothing every pixel of the art stays one colour at any scale.
    QPainter painter(this);
    painter.drawImage(toPixels(kPictureCell), picture_);
}

void Pel_Ver::hideEvent(QHideEvent* event) {
    // Back to the main window, so that the keyboard carries on where it was.
    if (QWidget* window = parentWidget(); window && window->isVisible())
        window->activateWindow();
    QDialog::hideEvent(event);
}

} // namespace pelio::ui
