#include "app/commandline.h"

namespace {
bool isFlag(const QString& arg, const char* name)
{
    if (arg.size() < 2 || (arg.front() != QLatin1Char('/') && arg.front() != QLatin1Char('-')))
        return false;
    return arg.mid(1).compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}
}  // namespace

CCommandLine CCommandLine::Parse(const QStringList& args)
{
    CCommandLine line;
    bool print = false;
    bool printTo = false;
    QStringList params;
    bool optionsEnded = false;
    for (const QString& arg : args) {
        if (!optionsEnded) {
            if (arg == QLatin1String("--")) {
                optionsEnded = true;
                continue;
            }
            if (isFlag(arg, "pt")) {
                printTo = true;
                continue;
            }
            if (isFlag(arg, "p")) {
                print = true;
                continue;
            }
            if (arg.startsWith(QLatin1Char('-')))
                continue;
        }
        params << arg;
    }
    if (!params.isEmpty())
        line.file = params.at(0);
    if (printTo) {
        line.action = Action::PrintTo;
        if (params.size() > 1)
            line.printer = params.at(1);
    } else if (print) {
        line.action = Action::Print;
    } else if (!line.file.isEmpty()) {
        line.action = Action::Open;
    }
    return line;
}
