#include "cli/clicommand.h"
#include "sound/audiobackend.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cstdio>

namespace {
QList<CliCommand>& registry()
{
    static QList<CliCommand> commands;
    return commands;
}
}  // namespace

bool Cli::Register(const CliCommand& command)
{
    registry().append(command);
    return true;
}

const QList<CliCommand>& Cli::Commands()
{
    return registry();
}

QTextStream& Cli::Out()
{
    static QTextStream stream(stdout);
    stream.setEncoding(QStringConverter::Utf8);
    return stream;
}

QTextStream& Cli::Err()
{
    static QTextStream stream(stderr);
    stream.setEncoding(QStringConverter::Utf8);
    return stream;
}

namespace {
QList<QByteArray> forms(const char* usage)
{
    return QByteArray(usage).split('\n');
}
}  // namespace

int Cli::Usage(const char* usage)
{
    Out().flush();
    const char* lead = "usage: ";
    for (const QByteArray& form : forms(usage)) {
        Err() << lead << "orthex-cli " << form << '\n';
        lead = "       ";
    }
    Err().flush();
    return kUsage;
}

namespace {
// Every form of every command, one a line: the manual page's synopsis lists the same.
int printHelp(QTextStream& stream)
{
    stream << "usage: orthex-cli COMMAND ...\n";
    QList<CliCommand> sorted = Cli::Commands();
    std::sort(sorted.begin(), sorted.end(),
              [](const CliCommand& a, const CliCommand& b) { return qstrcmp(a.name, b.name) < 0; });
    for (const CliCommand& c : sorted) {
        for (const QByteArray& form : forms(c.usage))
            stream << "  orthex-cli " << form << '\n';
    }
    stream.flush();
    return Cli::kUsage;
}
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // Every audio object a command makes is gone when it returns; the back end stops then.
    const CAudioBackendScope audio;
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return printHelp(Cli::Err());
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        printHelp(Cli::Out());
        return Cli::kOk;
    }
    for (const CliCommand& c : Cli::Commands()) {
        if (name == QLatin1String(c.name)) {
            const int status = c.run(args);
            Cli::Out().flush();
            Cli::Err().flush();
            return status;
        }
    }
    Cli::Err() << "orthex-cli: unknown command '" << name << "'\n";
    return printHelp(Cli::Err());
}
