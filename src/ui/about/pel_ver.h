#pragma once

#include <QDialog>

namespace pelio::ui {

// The version dialog: modeless, created once and then only hidden and shown again. Its
// content is fixed at construction.
class Pel_Ver : public QDialog {
    Q_OBJECT
public:
    explicit Pel_Ver(QWidget* parent = nullptr);

public slots:
    // Hides the dialog; it stays alive to be shown again.
    void Pel_Vbt_Click();
};

} // namespace pelio::ui
