// The main window's part in reading a memo from a picture: the button, the paste and the drop
// bring the picture, the core reads it as Enter would, and a panel shows where it was found.
#include "entry/picture_entry.h"
#include "ui/label_button.h"
#include "ui/memo_box.h"
#include "ui/pelio.h"
#include "ui/picture_loader.h"
#include "ui/picture_panel.h"
#include "ui/qt_text.h"

#include <QBoxLayout>

namespace pelio::ui {

void Pelio::buildPictureInput(QWidget* area) {
    pictures_ = new PictureInput(this);
    connect(pictures_, &PictureInput::given, this, &Pelio::takePicture);
    connect(memoBox_, &MemoBox::pictureGiven, this, &Pelio::takePicture);
    // Under the client area, over the notice bar: the window grows by it while it shows.
    picturePanel_ = new PicturePanel(area->parentWidget());
    picturePanel_->setFixedWidth(area->width());
    picturePanel_->layout()->activate(); // its controls in place before it is first shown
    static_cast<QBoxLayout*>(area->parentWidget()->layout())->insertWidget(1, picturePanel_);
    connect(picturePanel_, &PicturePanel::closed, this,
            [this] { commandButton(layout::Command::Picture)->setFocus(Qt::OtherFocusReason); });
}

void Pelio::PWD_Img_Click() {
    pictures_->choose();
}

void Pelio::takePicture(const LoadedPicture& picture) {
    PictureOutcome read;
    takeMemo([&](StateRecord& state, std::u16string_view box, Keeping keeping) {
        read = readPicture(state, box, picture.reading, keeping);
        // A text refused stays in the box for correcting, as a typed one does.
        if (read.memo.kind != MemoOutcome::Kind::NoMemo)
            memoBox_->put(qs(read.box));
        return read.memo;
    });
    picturePanel_->show(picture.crop, qs(read.box), read.uncertain);
}

} // namespace pelio::ui
