#include "ui/picture_panel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelio::ui {
namespace {

constexpr int kCropHeight = 64; // pixels, at most
constexpr int kMargin = 8;

} // namespace

PicturePanel::PicturePanel(QWidget* parent)
    : QFrame(parent)
    , crop_(new QLabel(this))
    , text_(new QLabel(this))
    , doubt_(new QLabel(QStringLiteral("下線の文字は、読み取りに自信がありません"), this))
    , shut_(new QPushButton(QStringLiteral("とじる"), this)) {
    setObjectName("Pic_Seen");
    setAccessibleName(QStringLiteral("画像から読んだそうさめも"));
    crop_->setObjectName("Pic_Crop");
    crop_->setAccessibleName(QStringLiteral("画像の中で、そうさめもを見つけたところ"));
    text_->setObjectName("Pic_Text");
    text_->setTextFormat(Qt::RichText);
    doubt_->setObjectName("Pic_Doubt");
    shut_->setObjectName("Pic_Shut");
    connect(shut_, &QPushButton::clicked, this, [this] {
        hide();
        emit closed();
    });

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kMargin, kMargin / 2, kMargin, kMargin / 2);
    column->addWidget(crop_, 0, Qt::AlignLeft);
    auto* row = new QHBoxLayout;
    row->addWidget(text_);
    row->addSpacing(kMargin);
    row->addWidget(doubt_);
    row->addStretch(1);
    row->addWidget(shut_);
    column->addLayout(row);
    hide();
}

void PicturePanel::show(const QImage& crop, const QString& text, std::uint32_t uncertain) {
    if (crop.isNull()) {
        hide();
        return;
    }
    const int room = width() - 2 * kMargin;
    const double scale = std::min(double(room) / crop.width(), double(kCropHeight) / crop.height());
    // A screenshot's few pixels drawn larger stay sharp, as the game drew them.
    const QImage shown = crop.scaled(std::max(1, int(crop.width() * scale)),
                                     std::max(1, int(crop.height() * scale)), Qt::IgnoreAspectRatio,
                                     scale > 1 ? Qt::FastTransformation : Qt::SmoothTransformation);
    crop_->setPixmap(QPixmap::fromImage(shown));

    QString marked;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QString kana = QString(text[i]).toHtmlEscaped();
        marked += i < 32 && (uncertain >> i & 1) ? "<u>" + kana + "</u>" : kana;
    }
    text_->setText(marked);
    text_->setAccessibleName(text);
    doubt_->setVisible(uncertain != 0);
    // The button is the panel's stop for the keyboard: a screen reader says what was read there.
    shut_->setAccessibleDescription(uncertain ? text + "。" + doubt_->text() : text);
    QFrame::show();
}

QList<QWidget*> PicturePanel::stops() const {
    return {shut_};
}

void PicturePanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        shut_->click();
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace pelio::ui
