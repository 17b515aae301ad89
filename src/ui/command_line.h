#pragma once

#include <QString>
#include <QStringList>

namespace pelio::ui {

// The memo to read at start from the program's arguments, `pelio [MEMO]`: one argument, or its
// groups as several, as the game shows them; empty where none is given. --help and --version
// answer and end the program, as does an option it does not know.
QString memoArgument(const QStringList& arguments);

} // namespace pelio::ui
