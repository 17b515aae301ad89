#include "ui/about/pel_ver.h"

namespace pelio::ui {

Pel_Ver::Pel_Ver(QWidget* parent)
    : QDialog(parent) {
    setObjectName("Pel_Ver");
}

void Pel_Ver::Pel_Vbt_Click() { hide(); }

} // namespace pelio::ui
