#pragma once

#include "ui/pelio.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

// Drives a main window the way a player does: clicks and keys on controls found by name.
class WindowDriver {
public:
    explicit WindowDriver(pelio::ui::Pelio& window)
        : window_(window) {}

    template <class T = QWidget> T* control(const QString& name) const {
        T* found = window_.findChild<T*>(name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }

    // Clicks controls in turn; a menu item is clicked on the menu bar.
    void click(const QStringList& names) const {
        for (const QString& name : names) {
            if (auto* item = window_.findChild<QAction*>(name))
                QTest::mouseClick(window_.menuBar(), Qt::LeftButton, {},
                                  window_.menuBar()->actionGeometry(item).center());
            else
                QTest::mouseClick(control(name), Qt::LeftButton);
        }
    }

    // Presses keys on whatever has focus: "Tab, Ctrl+C".
    void press(const QString& keys) const {
        for (const QString& key : keys.split(", ")) {
            const QKeyCombination combination = QKeySequence(key)[0];
            QTest::keyClick(focused(), combination.key(), combination.keyboardModifiers());
        }
    }
    // Types characters one key each, as a keyboard with kana on it does.
    void type(const QString& text) const {
        for (QChar character : text)
            QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
    }
    QWidget* focused() const {
        return QApplication::focusWidget() ? QApplication::focusWidget() : &window_;
    }

    // Puts text in the memo box in place of what it holds, as an input method commits it.
    void typeInMemoBox(const QString& typed) const {
        auto* box = control<QLineEdit>("PWD");
        box->setFocus();
        box->selectAll();
        QInputMethodEvent input;
        input.setCommitString(typed);
        QCoreApplication::sendEvent(box, &input);
    }
    // The same, then Enter.
    void enterMemo(const QString& typed) const {
        typeInMemoBox(typed);
        QTest::keyClick(control("PWD"), Qt::Key_Return);
    }

    QString text(const QString& name) const {
        if (auto* box = window_.findChild<QLineEdit*>(name))
            return box->text();
        if (auto* label = window_.findChild<QLabel*>(name))
            return label->text();
        return control<QAbstractButton>(name)->text();
    }

    // The four name boxes' text, the highlighted one in brackets: "あ[い]？？".
    QString nameBoxes() const {
        QString shown;
        for (int slot = 1; slot <= 4; ++slot) {
            auto* box = control<QLabel>(QStringLiteral("Namtext%1").arg(slot));
            const bool marked = box->palette().color(QPalette::WindowText) == QColor(0, 255, 255);
            shown += marked ? "[" + box->text() + "]" : box->text();
        }
        return shown;
    }

    // Every result a completion writes, in one string.
    QString results() const {
        QStringList shown;
        for (const char* name : {"PWD", "Lab_Gam", "Lab_Ofc", "Lab_Mai", "Lab_Nan", "Lab_Sum",
                                 "Lab_Dou", "Lab_Imd", "Lab_Sen", "Lab_Tom"})
            shown << text(name);
        return shown.join('|');
    }

private:
    pelio::ui::Pelio& window_;
};

// A main window as on a first run, shown and active: no notebook and no entry left by a run
// before. Needs QStandardPaths' test mode on.
inline std::unique_ptr<pelio::ui::Pelio> firstRunWindow() {
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
    auto window = std::make_unique<pelio::ui::Pelio>();
    window->show();
    return QTest::qWaitForWindowActive(window.get()) ? std::move(window) : nullptr;
}
