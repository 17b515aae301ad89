#include "ui/picture_loader.h"

#include "entry/picture_entry.h"

#include <QBuffer>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QWidget>

#include <algorithm>
#include <variant>

namespace pelio::ui {
namespace {

// Twice what the panel shows it at, at most: the rest of a large photo's line is not kept.
constexpr int kLargestCrop = 1280;

// A JPEG is decoded by libjpeg at up to a quarter more on each side than asked, then scaled;
// other formats whole before scaling. Past this the toolkit refuses to decode at all, which
// bounds memory whatever a file states.
constexpr int kDecodeMegabytes = 128;

LoadedPicture refused(std::u16string_view reason) {
    LoadedPicture picture;
    picture.reading.status = PictureReading::Status::Refused;
    picture.reading.reason = reason;
    return picture;
}

} // namespace

LoadedPicture loadPicture(QImage image) {
    if (image.isNull())
        return refused(kUnreadablePicture);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    PixelView view;
    if (image.format() == QImage::Format_Grayscale8) {
        view.format = PixelView::Format::Grey;
    } else {
        // In place where the depth stays, as from the 32-bit formats most pictures decode to.
        image.convertTo(QImage::Format_RGBA8888);
        view.format = PixelView::Format::Rgba;
    }
    view.pixels = image.constBits();
    view.width = image.width();
    view.height = image.height();
    view.stride = static_cast<std::size_t>(image.bytesPerLine());
    LoadedPicture picture;
    picture.reading = readMemoPicture(view);
    const PictureRect& at = picture.reading.where;
    if (picture.reading.status == PictureReading::Status::Found && at.width > 0 && at.height > 0) {
        picture.crop = image.copy(at.x, at.y, at.width, at.height);
        if (picture.crop.width() > kLargestCrop)
            picture.crop = picture.crop.scaledToWidth(kLargestCrop, Qt::SmoothTransformation);
    }
    QGuiApplication::restoreOverrideCursor();
    return picture;
}

LoadedPicture loadPicture(QIODevice& file) {
    QImageReader::setAllocationLimit(kDecodeMegabytes);
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QSize stated = reader.size();
    if (!stated.isValid())
        return refused(kUnreadablePicture);
    const auto size = pictureDecodeSize(stated.width(), stated.height());
    if (const auto* refusal = std::get_if<PictureRefusal>(&size))
        return refused(refusal->reason);
    const auto [width, height] = std::get<DecodeSize>(size);
    if (QSize(width, height) != stated)
        reader.setScaledSize(QSize(width, height));
    QImage image;
    if (!reader.read(&image)) {
        // Any format but JPEG is decoded whole: one whose stated size would take more than the
        // limit in colour is refused for its size rather than called no picture.
        const bool scales = reader.format() == "jpeg";
        const qint64 bytes = qint64{stated.width()} * stated.height() * 4;
        return refused(!scales && bytes > qint64{kDecodeMegabytes} * 1024 * 1024
                           ? kPictureTooLargeToDecode
                           : kUnreadablePicture);
    }
    return loadPicture(std::move(image));
}

LoadedPicture loadPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(kUnreadablePicture);
    return loadPicture(file);
}

namespace {

QString firstLocalFile(const QMimeData& data) {
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

bool isPicture(const QString& format) {
    return format.startsWith(QLatin1String("image/"));
}

// The picture's file as another program put it there: decoded here, so that its size is
// checked before it is decoded.
QByteArray encodedPicture(const QMimeData& data) {
    for (const QString& format : data.formats()) {
        if (isPicture(format)) {
            if (QByteArray bytes = data.data(format); !bytes.isEmpty())
                return bytes;
        }
    }
    return {};
}

} // namespace

bool holdsPicture(const QMimeData& data) {
    // A spreadsheet's cell comes as text and a picture of it: it is the text's.
    const QStringList formats = data.formats();
    return !firstLocalFile(data).isEmpty() ||
           ((data.hasImage() || std::any_of(formats.begin(), formats.end(), isPicture)) &&
            !data.hasText());
}

std::optional<LoadedPicture> loadPicture(const QMimeData& data) {
    if (!holdsPicture(data))
        return std::nullopt;
    if (const QString path = firstLocalFile(data); !path.isEmpty())
        return loadPicture(path);
    if (QByteArray bytes = encodedPicture(data); !bytes.isEmpty()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        return loadPicture(buffer);
    }
    return loadPicture(qvariant_cast<QImage>(data.imageData()));
}

PictureInput::PictureInput(QWidget* window)
    : QObject(window)
    , window_(window)
    , chooser_([](QWidget* parent) {
        QStringList patterns;
        for (const QByteArray& format : QImageReader::supportedImageFormats())
            patterns << "*." + QString::fromLatin1(format);
        return QFileDialog::getOpenFileName(
            parent, QStringLiteral("画像から読む"), QString(),
            QStringLiteral("画像 (%1);;すべてのファイル (*)").arg(patterns.join(' ')));
    }) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

void PictureInput::choose() {
    if (const QString path = chooser_(window_); !path.isEmpty())
        emit given(loadPicture(path));
}

bool PictureInput::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!holdsPicture(*drag->mimeData()))
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        std::optional<LoadedPicture> picture = loadPicture(*drop->mimeData());
        if (!picture)
            break;
        drop->acceptProposedAction();
        emit given(*picture);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace pelio::ui
