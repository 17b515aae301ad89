// The notebook's file on the desktop: two windows writing it, and a file that cannot be read.

#include "memo/memo_text.h"
#include "ui/notebook_store.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using pelio::MemoCodes;
using pelio::NoteEntry;
using pelio::ui::NotebookStore;

namespace {

MemoCodes memo(std::uint8_t first) {
    MemoCodes codes = pelio::encodeMemo({first, 0, 0, 0}, {}).codes;
    return codes;
}

QList<MemoCodes> codesIn(pelio::Notebook& notebook) {
    QList<MemoCodes> codes;
    for (const NoteEntry& entry : notebook.entries())
        codes << entry.codes;
    return codes;
}

} // namespace

class NotebookStoreTest : public QObject {
    Q_OBJECT

private slots:
    // What each window adds or takes out is kept, whichever writes last.
    void twoWindowsLoseNoEntryOfEither() {
        QTemporaryDir folder;
        NotebookStore first(folder.path()), second(folder.path());
        first.notebook().add(memo(1), {2026, 12, 1, 9, 0, 0});
        QVERIFY(first.save());
        second.notebook().add(memo(2), {2026, 12, 2, 9, 0, 0}); // read after the first saved
        first.notebook().add(memo(3), {2026, 12, 3, 9, 0, 0});
        QVERIFY(first.save());
        second.notebook().remove(1); // the first window's entry of the 1st
        QVERIFY(second.save());
        QCOMPARE(codesIn(second.notebook()), (QList<MemoCodes>{memo(3), memo(2)}));
        first.refresh();
        QCOMPARE(codesIn(first.notebook()), codesIn(second.notebook()));
        QCOMPARE(codesIn(NotebookStore(folder.path()).notebook()), codesIn(first.notebook()));
    }

    // A file that is not UTF-8 is put aside as it was, the player is told, and a new notebook
    // starts; the next save writes a file that reads.
    void aFileThatCannotBeReadIsPutAside() {
        QTemporaryDir folder;
        QFile damaged(QDir(folder.path()).filePath("notebook.txt"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("\xff\xfe broken");
        damaged.close();
        NotebookStore store(folder.path());
        QVERIFY(store.notebook().empty());
        const QString notice = store.takeNotice();
        QVERIFY(notice.contains("notebook-"));
        const QStringList aside = QDir(folder.path()).entryList({"notebook-*.txt"});
        QCOMPARE(aside.size(), 1);
        QFile kept(QDir(folder.path()).filePath(aside.front()));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("\xff\xfe broken"));
        store.notebook().add(memo(4), {2026, 12, 4, 9, 0, 0});
        QVERIFY(store.save());
        QCOMPARE(codesIn(NotebookStore(folder.path()).notebook()), QList<MemoCodes>{memo(4)});
    }

    // The last run's entry comes back as it was kept, the memo box's text included.
    void keepsTheLastEntry() {
        QTemporaryDir folder;
        NotebookStore store(folder.path());
        QVERIFY(!store.lastEntry());
        store.keepLastEntry({"pelio2:line", QStringLiteral("いあう　え\tお")});
        const auto entry = NotebookStore(folder.path()).lastEntry();
        QVERIFY(entry);
        QCOMPARE(entry->line, QString("pelio2:line"));
        QCOMPARE(entry->box, QStringLiteral("いあう　え\tお"));
        store.forgetLastEntry();
        QVERIFY(!store.lastEntry());
    }
};

QTEST_GUILESS_MAIN(NotebookStoreTest)
#include "notebook_store_test.moc"
