#include "ui/notebook_store.h"

#include "memo/utf16.h"
#include "ui/qt_text.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace pelio::ui {
namespace {

constexpr auto kNotebookFile = "notebook.txt";
constexpr auto kLastEntryFile = "last-entry.txt";
// Another window holds the lock only while it reads or writes a small file.
constexpr int kLockWaitMs = 3000;

QByteArray utf8(std::u16string_view text) {
    const std::string bytes = toUtf8(text);
    return {bytes.data(), static_cast<qsizetype>(bytes.size())};
}

} // namespace

NoteTime noteTimeNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

NotebookStore::NotebookStore(QString folder)
    : folder_(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                               : std::move(folder)) {}

QString NotebookStore::notebookPath() const {
    return QDir(folder_).filePath(kNotebookFile);
}

Notebook& NotebookStore::notebook() {
    // The file is only ever replaced whole, so it is read without the lock.
    if (!loaded_) {
        loaded_ = true;
        base_ = notebook_ = readFile();
        baseBytes_ = lastRead_;
    }
    return notebook_;
}

Notebook NotebookStore::readFile() {
    QFile file(notebookPath());
    lastRead_.clear();
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        notice_ = QStringLiteral("ノートのファイルを開けませんでした：") + file.errorString();
        return {};
    }
    // One byte past the limit is enough to know the file is too large.
    lastRead_ = file.read(static_cast<qint64>(kNotebookFileLimit) + 1);
    file.close();
    // Nothing was written since this window read or wrote it: a thousand memos need not be
    // read again at every save and every activation.
    if (lastRead_ == baseBytes_)
        return base_;
    const NotebookFile read =
        readNotebookFile({lastRead_.constData(), static_cast<std::size_t>(lastRead_.size())});
    if (!read.notice.empty())
        putAside(qs(read.notice));
    return read.reading.notebook;
}

void NotebookStore::putAside(const QString& why) {
    const QString aside = QDir(folder_).filePath(
        QStringLiteral("notebook-%1.txt")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    // A copy: what could be read is written back over the original at the next save.
    const bool kept = QFile::copy(notebookPath(), aside);
    notice_ = why + (kept ? QStringLiteral("。元のファイルは %1 に残してあります").arg(aside)
                          : QStringLiteral("。元のファイルを残せませんでした"));
}

bool NotebookStore::writeText(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(folder_))
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool NotebookStore::save() {
    notebook();
    QLockFile lock(notebookPath() + ".lock");
    if (!QDir().mkpath(folder_) || !lock.tryLock(kLockWaitMs)) {
        notice_ = QStringLiteral("ノートを保存できませんでした（ほかのウィンドウが使用中）");
        return false;
    }
    const Notebook theirs = readFile();
    const Notebook merged = theirs == base_ ? notebook_ : mergeNotebooks(base_, notebook_, theirs);
    const QByteArray bytes = utf8(notebookText(merged));
    if (!writeText(notebookPath(), bytes)) {
        notice_ = QStringLiteral("ノートを保存できませんでした：") + folder_;
        return false;
    }
    base_ = notebook_ = merged;
    baseBytes_ = bytes;
    return true;
}

void NotebookStore::refresh() {
    if (!loaded_)
        return;
    const Notebook theirs = readFile();
    if (theirs == base_)
        return;
    notebook_ = mergeNotebooks(base_, notebook_, theirs);
    base_ = theirs;
    baseBytes_ = lastRead_;
}

QString NotebookStore::takeNotice() {
    return std::exchange(notice_, {});
}

std::optional<NotebookStore::LastEntry> NotebookStore::lastEntry() const {
    QFile file(QDir(folder_).filePath(kLastEntryFile));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The saved line, then the memo box's text: both far below this.
    const std::optional<std::u16string> text = fromUtf8(file.read(64 * 1024).toStdString());
    if (!text)
        return std::nullopt;
    const std::size_t end = text->find(u'\n');
    if (end == std::u16string::npos)
        return std::nullopt;
    return LastEntry{qs(std::u16string_view(*text).substr(0, end)),
                     qs(std::u16string_view(*text).substr(end + 1))};
}

void NotebookStore::keepLastEntry(const LastEntry& entry) {
    writeText(QDir(folder_).filePath(kLastEntryFile), (entry.line + '\n' + entry.box).toUtf8());
}

void NotebookStore::forgetLastEntry() {
    QFile::remove(QDir(folder_).filePath(kLastEntryFile));
}

} // namespace pelio::ui
