#pragma once

#include "picture/memo_picture.h"

#include <QImage>
#include <QObject>

#include <functional>
#include <optional>

class QIODevice;
class QMimeData;

namespace pelio::ui {

// A picture the player gave, read by the recognizer. Of the picture only the part where the
// memo was found is kept, to show beside the result; the rest is gone once it has been read.
struct LoadedPicture {
    PictureReading reading; // Refused with why where the file could not be decoded
    QImage crop;            // null where no memo was found
};

// Decodes at the size the recognizer's rule gives for the size the file states, turned as its
// EXIF orientation says, and reads it.
LoadedPicture loadPicture(QIODevice& file);
LoadedPicture loadPicture(const QString& path);
// Image data already decoded, as the clipboard or a drag hands it over.
LoadedPicture loadPicture(QImage image);
// The picture that pasted or dropped data holds: a local file (of any kind: one that is no
// picture is refused with why), or image data that comes without text. None otherwise, where
// the data is text to paste as before.
bool holdsPicture(const QMimeData& data);
std::optional<LoadedPicture> loadPicture(const QMimeData& data);

// Where pictures come to the window from besides the memo box's paste: the file dialog, and a
// drop anywhere on `window`.
class PictureInput : public QObject {
    Q_OBJECT
public:
    explicit PictureInput(QWidget* window);

    // Asks for a picture file with the file dialog, or with `chooser` in its place.
    void choose();
    void setChooser(std::function<QString(QWidget*)> chooser) { chooser_ = std::move(chooser); }

signals:
    void given(const pelio::ui::LoadedPicture& picture);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::function<QString(QWidget*)> chooser_;
};

} // namespace pelio::ui
