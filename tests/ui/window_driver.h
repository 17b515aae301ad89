#pragma once

#include "ui/control_names.h"
#include "ui/pelio.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

// Drives a main window the way a player does: by clicks on controls found by their names.
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

    void click(const QString& name) const { QTest::mouseClick(control(name), Qt::LeftButton); }

    // Clicks a check box on its square, where a player ticks it: a short caption leaves the
    // middle of a wide box empty, and a click there does nothing.
    void tick(QCheckBox* box) const {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect square =
            box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, square.center());
    }
    void tick(const QString& name) const { tick(control<QCheckBox>(name)); }

    void clickKey(int code) const { click(pelio::ui::keyName(code)); }

    void clickMenu(const QString& name) const {
        QMenuBar* bar = window_.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(control<QAction>(name)).center());
    }

    // Types into the memo box, as a Japanese input method commits text, and presses Enter.
    void enterMemo(const QString& typed) const {
        auto* box = control<QLineEdit>("PWD");
        box->setFocus();
        box->selectAll();
        QInputMethodEvent input;
        input.setCommitString(typed);
        QCoreApplication::sendEvent(box, &input);
        QTest::keyClick(box, Qt::Key_Return);
    }

    // Presses keys on whatever has focus, as a player at the keyboard does: "Tab, Ctrl+C".
    void press(const QString& keys) const {
        for (const QString& key : keys.split(", ")) {
            const QKeyCombination combination = QKeySequence(key)[0];
            QTest::keyClick(focused(), combination.key(), combination.keyboardModifiers());
        }
    }
    // Types characters on whatever has focus, one key each.
    void type(const QString& text) const {
        for (QChar character : text)
            QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
    }
    QWidget* focused() const {
        return QApplication::focusWidget() ? QApplication::focusWidget() : &window_;
    }

    QString text(const QString& name) const {
        if (auto* box = window_.findChild<QLineEdit*>(name))
            return box->text();
        if (auto* label = window_.findChild<QLabel*>(name))
            return label->text();
        return control<QAbstractButton>(name)->text();
    }

    QString nameBoxes() const {
        QString shown;
        for (int slot = 1; slot <= 4; ++slot)
            shown += text(QStringLiteral("Namtext%1").arg(slot));
        return shown;
    }

    // Which name box shows the highlight colour: 1..4, 0 for none, -1 for more than one,
    // -2 for a box in neither the normal nor the highlight colour.
    int highlightedBox() const {
        int highlighted = 0;
        for (int slot = 1; slot <= 4; ++slot) {
            const QColor colour = control(QStringLiteral("Namtext%1").arg(slot))
                                      ->palette()
                                      .color(QPalette::WindowText);
            if (colour == QColor(0, 255, 255))
                highlighted = highlighted == 0 ? slot : -1;
            else if (colour != QColor(255, 255, 255))
                return -2;
        }
        return highlighted;
    }

    // Every result a completion writes, in one string for comparing whole windows.
    QString results() const {
        QStringList shown{text("PWD")};
        for (const char* label : {"Lab_Gam", "Lab_Ofc", "Lab_Mai", "Lab_Nan", "Lab_Sum", "Lab_Dou",
                                  "Lab_Imd", "Lab_Sen", "Lab_Tom"})
            shown << text(label);
        return shown.join('|');
    }

private:
    pelio::ui::Pelio& window_;
};
