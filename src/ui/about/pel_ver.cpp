#include "ui/about/pel_ver.h"

#include "layout/about_layout.h"
#include "layout/controls.h"
#include "ui/control_names.h"
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

QFont qtFont(const Font& chosen) {
    QFont font;
    QStringList families;
    for (std::u16string_view family : chosen.families)
        families << qs(family);
    font.setFamilies(families);
    font.setPointSizeF(chosen.points);
    font.setWeight(chosen.bold ? QFont::Bold : QFont::Normal);
    return font;
}

// Captions sit at the top left of their box and never take focus (QLabel's default).
QLabel* addLabel(QWidget* dialog, const layout::Control& text) {
    auto* label = new QLabel(qs(text.caption), dialog);
    label->setObjectName(controlName(text.id));
    label->setGeometry(toPixels(text.cell));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

Pel_Ver::Pel_Ver(QWidget* parent)
    : QDialog(parent)
    , picture_(aboutPicture()) {
    const layout::Control& dialog = layout::controlOf(layout::Role::Dialog);
    setObjectName(controlName(dialog.id));
    setWindowTitle(qs(dialog.caption));
    setFixedSize(px(dialog.cell.width), px(dialog.cell.height));

    for (const layout::Control& control : layout::kControls) {
        if (!control.inAbout || control.role == layout::Role::Dialog)
            continue;
        if (control.role == layout::Role::Button) {
            auto* button = new QPushButton(qs(control.caption), this);
            button->setObjectName(controlName(control.id));
            button->setGeometry(toPixels(control.cell));
            connect(button, &QPushButton::clicked, this, &Pel_Ver::Pel_Vbt_Click);
            continue;
        }
        QLabel* label = addLabel(this, control);
        label->setWordWrap(control.wraps);
        if (control.face != layout::Face::Window)
            label->setFont(
                qtFont(control.face == layout::Face::AboutTitle ? kTitleFont : kVersionFont));
        if (control.foreground) {
            QPalette colours = label->palette();
            colours.setColor(QPalette::WindowText, toColour(*control.foreground));
            label->setPalette(colours);
        }
    }
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
