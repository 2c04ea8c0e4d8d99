// A second copy of Orthex for the tests of the user file and the result files: it holds, writes
// and replaces files from another process, and can be killed in the middle of a write.
#include "users/exclusivefile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <iostream>
#include <string>

namespace {
void say(const char* text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}

// Holds the file until standard input ends or says "release".
int lock(const QStringList& args)
{
    if (args.size() != 1)
        return 2;
    CExclusiveFile file;
    if (file.TryOpen(args.at(0), true) != CExclusiveFile::EOpen::Opened) {
        std::fprintf(stderr, "cannot lock: %s\n", qPrintable(file.ErrorString()));
        return 1;
    }
    say("locked");
    std::string line;
    while (std::getline(std::cin, line) && line != "release") {
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return 2;
    const QString command = args.takeFirst();
    if (command == QLatin1String("lock"))
        return lock(args);
    return 2;
}
