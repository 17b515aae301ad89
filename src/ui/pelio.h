#pragma once

#include "hints/location_hints.h"
#include "entry/state_record.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace pelio::ui {

class ClickableLabel;
class Pel_Ver;

// The main window: the kana keyboard and name boxes, the progress check boxes, the
// commands, and the memo, hints and rank a completion shows. It keeps one state record
// and shows what the rules leave there.
class Pelio : public QMainWindow {
    Q_OBJECT
public:
    explicit Pelio(QWidget* parent = nullptr);
    ~Pelio() override;

    const StateRecord& state() const { return state_; }

public slots:
    void Nm_Click(pelio::KanaCode code);
    void Nm_Inpt_Click();
    void Nm_Back_Click();
    void Chk_Click(pelio::FlagNumber number);
    void Allset_Click();
    void Lab_Pag_Click();
    void Answer_Click();
    void Nm_Clear_Click();
    void PWD_Enter();
    void Quit_sm_Click();
    void Abot_sm_Click();

private:
    void buildKeyboard(QWidget* area);
    void buildFlagBoxes(QWidget* area);
    void buildCommands(QWidget* area);
    void buildResults(QWidget* area);
    void buildMenu();

    void showNameBoxes();
    void showFlagBoxes();
    void showFlagPage();
    void showMemoWarning(const QString& reason);
    void clearMemoWarning();

    StateRecord state_;

    std::array<QLineEdit*, kNameSlots> nameBoxes_{};
    std::array<QCheckBox*, kFlagCount> flagBoxes_{};
    std::array<QLabel*, kLocations.size()> hintLabels_{};
    ClickableLabel* pageSwitch_ = nullptr;
    QLabel* rankLabel_ = nullptr;
    QLineEdit* memoBox_ = nullptr;
    bool memoWarningShown_ = false;
    QPointer<Pel_Ver> about_;
};

} // namespace pelio::ui
