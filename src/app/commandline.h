#pragma once

#include <QString>
#include <QStringList>

// The program's command line: nothing (start with no list), a list file to open, or a print run.
//   orthex FILE.orthex             opens the list once the user has logged in
//   orthex /p FILE.orthex          prints the list on the default printer and exits (also -p)
//   orthex /pt FILE.orthex PRINTER prints it on the named printer and exits (also -pt)
// Only these flags are options (in any case); any other argument starting with "/" is a path,
// since paths start with "/" here. Other arguments starting with "-" are ignored.
struct CCommandLine {
    enum class Action { New, Open, Print, PrintTo };

    Action action = Action::New;
    QString file;
    QString printer;

    bool IsPrintRun() const { return action == Action::Print || action == Action::PrintTo; }

    // args: the arguments after the program's name.
    static CCommandLine Parse(const QStringList& args);
};
