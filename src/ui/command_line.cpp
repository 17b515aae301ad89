#include "ui/command_line.h"

#include <QCommandLineParser>

namespace pelio::ui {

QString memoArgument(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("ゲームのそうさめもから、なまえとすすみぐあいを読み取ります。"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("MEMO"), QStringLiteral("始めに読み取るそうさめも"),
                                 QStringLiteral("[MEMO]"));
    parser.process(arguments);
    return parser.positionalArguments().join(' ');
}

} // namespace pelio::ui
