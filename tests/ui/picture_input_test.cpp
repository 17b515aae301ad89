// A memo read from a picture in the window: pasted, dropped or chosen, it is read as Enter would
// read it, and a picture that gives none changes nothing but the reason. The recognizer and the
// rules of what a reading does are the core's tests.

#include "entry/picture_entry.h"
#include "memo/memo_text.h"
#include "memo_pictures.h"
#include "ui/appearance.h"
#include "ui/picture_loader.h"
#include "ui/qt_text.h"
#include "window_driver.h"

#include <QAccessible>
#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

using pelio::ui::Pelio;
namespace mp = memo_pictures;

namespace {

QImage toQImage(const mp::Image& image) {
    return QImage(image.pixels.data(), image.width, image.height, image.width * image.channels,
                  image.channels == 4 ? QImage::Format_RGBA8888 : QImage::Format_Grayscale8)
        .copy();
}

QByteArray bytes(const std::vector<std::uint8_t>& encoded) {
    return QByteArray(reinterpret_cast<const char*>(encoded.data()), qsizetype(encoded.size()));
}

// A JPEG whose EXIF orientation says to turn it a quarter clockwise to show it.
QByteArray sideways(const QImage& shown) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    shown.transformed(QTransform().rotate(-90)).save(&buffer, "JPEG", 90);
    static const char exif[] = "\xFF\xE1\x00\x22"
                               "Exif\0\0MM\0\x2A\0\0\0\x08"
                               "\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0"
                               "\0\0\0\0";
    return jpeg.insert(2, QByteArray(exif, sizeof exif - 1));
}

// PNG's CRC-32 of a chunk's type and data.
quint32 crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

} // namespace

class PictureInputTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Pelio> window;
    std::unique_ptr<WindowDriver> d;
    mp::FontRenderer fonts;
    QTemporaryDir folder;

    mp::Sample sample(mp::Kind kind, std::uint32_t seed, bool withMemo = true) {
        mp::Options options;
        options.kind = kind;
        options.withMemo = withMemo;
        options.largestSide = 1600;
        const auto styles = mp::fontStyles(false);
        return mp::makeSample(fonts, styles[seed % styles.size()], seed, options);
    }
    QString file(const QString& name, const QByteArray& content) {
        QFile out(folder.filePath(name));
        if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size())
            qFatal("cannot write %s", qPrintable(out.fileName()));
        return out.fileName();
    }
    void choose(const QString& path) {
        window->findChild<pelio::ui::PictureInput*>()->setChooser(
            [path](QWidget*) { return path; });
        d->click({"PWD_Img"});
    }
    // The memo is in the box, read; the crop and the text read are beside it, and the read is
    // offered to be undone.
    void expectRead(const mp::Sample& picture) {
        const QString memo = pelio::ui::qs(pelio::memoText({picture.memo, 0}));
        QCOMPARE(d->text("PWD"), memo);
        QVERIFY(!d->control("Lab_Rsn")->isVisible());
        QVERIFY(d->control("Pic_Seen")->isVisible());
        QVERIFY(!d->control<QLabel>("Pic_Crop")->pixmap().isNull());
        QCOMPARE(d->control("Pic_Text")->accessibleName(), memo);
        QVERIFY(d->control("Pel_Note")->isVisible());
    }
    QString lastSaid() const {
        QString said;
        for (QWidget* notice : window->findChildren<QWidget*>("Pel_Said"))
            if (notice->isVisible())
                said = QAccessible::queryAccessibleInterface(notice)->text(QAccessible::Name);
        return said;
    }

private slots:
    void initTestCase() {
        if (const auto missing = mp::missingFontPackages(); !missing.empty())
            QSKIP("the fonts the pictures are drawn in are missing");
        pelio::ui::applyAppearance();
        QStandardPaths::setTestModeEnabled(true);
    }
    void init() {
        window = firstRunWindow();
        QVERIFY(window);
        d = std::make_unique<WindowDriver>(*window);
    }
    void cleanup() {
        d.reset();
        window.reset();
    }

    // Ctrl+V with a screenshot's pixels, as a capture program copies it; the box's menu with a
    // photo's JPEG file, as another program puts it there. Text on the clipboard pastes as text.
    void aPictureOnTheClipboardIsReadAsEnterWould() {
        const mp::Sample screenshot = sample(mp::Kind::Screenshot, 11);
        QGuiApplication::clipboard()->setImage(toQImage(screenshot.image));
        d->control("PWD")->setFocus();
        d->press("Ctrl+V");
        expectRead(screenshot);
        QCOMPARE(lastSaid().left(8), QStringLiteral("そうさめもを読み"));
        auto* memo = d->control<QLineEdit>("PWD");
        QGuiApplication::clipboard()->setText(QStringLiteral("いあう"));
        d->press("Ctrl+A, Ctrl+V");
        QCOMPARE(memo->text(), QStringLiteral("いあう"));

        const mp::Sample photo = sample(mp::Kind::Photo, 7);
        auto* data = new QMimeData;
        data->setData("image/jpeg", bytes(mp::encodeJpeg(photo.image, 85)));
        QGuiApplication::clipboard()->setMimeData(data);
        QTimer::singleShot(0, this, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (QAction* action : menu->actions())
                if (action->text().startsWith(QStringLiteral("貼り付け")) && action->isEnabled())
                    action->trigger();
            menu->close();
        });
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                    memo->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(memo, &menuEvent);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        expectRead(photo);
    }

    // A PNG file dropped on a check box lands on the window; a sideways photo chosen with
    // 画像から読む is turned as its EXIF orientation says. とじる takes the panel away.
    void aFileDroppedOrChosenIsRead() {
        const mp::Sample screenshot = sample(mp::Kind::Screenshot, 23);
        auto* data = new QMimeData;
        data->setUrls(
            {QUrl::fromLocalFile(file("shot.png", bytes(mp::encodePng(screenshot.image))))});
        QWidget* onto = d->control("Chk_Khk");
        QDragEnterEvent enter(QPoint(3, 3), Qt::CopyAction, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(onto, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(3, 3), Qt::CopyAction, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(onto, &drop);
        expectRead(screenshot);

        const mp::Sample photo = sample(mp::Kind::Photo, 5);
        choose(file("photo.jpg", sideways(toQImage(photo.image))));
        expectRead(photo);
        d->control("Pic_Shut")->setFocus();
        d->press("Space");
        QVERIFY(!d->control("Pic_Seen")->isVisible());
        QCOMPARE(d->focused()->objectName(), QStringLiteral("PWD_Img"));
        delete data;
    }

    // No memo, no picture, a picture cut short, one stated too large to decode: each says why,
    // and nothing else changes.
    void aBadPictureChangesNothingButTheReason() {
        d->typeInMemoBox(QStringLiteral("いあう"));
        const QString name = d->nameBoxes();
        const mp::Sample none = sample(mp::Kind::Screenshot, 3, false);
        const QByteArray png = bytes(mp::encodePng(none.image));
        QByteArray huge = bytes(mp::encodeJpeg(none.image, 80));
        const qsizetype frame = huge.indexOf("\xFF\xC0", 2);
        huge.replace(frame + 5, 4, QByteArray("\x75\x30\x75\x30", 4)); // 30000 x 30000
        // A colour PNG that states 7000 x 7000: within what is read, but decoded whole.
        QByteArray wide = png;
        wide.replace(16, 10, QByteArray("\0\0\x1b\x58\0\0\x1b\x58\x08\x02", 10));
        const quint32 crc = crc32(wide.mid(12, 17));
        for (int i = 0; i < 4; ++i)
            wide[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
        const std::pair<QString, QString> cases[]{
            {file("none.png", png), QStringLiteral("画像からそうさめもが見つかりません")},
            {file("notes.txt", "いあう"), pelio::ui::qs(pelio::kUnreadablePicture)},
            {file("cut.png", png.left(png.size() / 2)), pelio::ui::qs(pelio::kUnreadablePicture)},
            {file("wide.png", wide), pelio::ui::qs(pelio::kPictureTooLargeToDecode)},
            {file("huge.jpg", huge),
             pelio::ui::qs(
                 std::get<pelio::PictureRefusal>(pelio::pictureDecodeSize(30000, 30000)).reason)},
        };
        for (const auto& [path, reason] : cases) {
            choose(path);
            QCOMPARE(d->text("Lab_Rsn"), reason);
            QVERIFY(lastSaid().startsWith(reason));
            QCOMPARE(d->text("PWD"), QStringLiteral("いあう"));
            QCOMPARE(d->nameBoxes(), name);
            QVERIFY(!d->control("Pic_Seen")->isVisible());
            QVERIFY(!d->control("Pel_Note")->isVisible());
        }
    }
};

QTEST_MAIN(PictureInputTest)
#include "picture_input_test.moc"
