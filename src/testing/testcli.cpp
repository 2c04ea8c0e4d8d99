#include "testing/testcli.h"

#include <QProcess>

namespace TestCli {
void Start(QProcess& process, const QStringList& args, const QStringList& runAs)
{
    QStringList command = runAs + QStringList{qEnvironmentVariable("ORTHEX_CLI")} + args;
    const QString program = command.takeFirst();
    process.start(program, command);
}

SCliRun Finish(QProcess& process)
{
    SCliRun run;
    const bool ended = process.waitForFinished(60000);
    if (!ended)
        process.kill();
    if (ended && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    if (run.exitCode == -1)
        run.err += ended ? "[ended by signal " + QByteArray::number(process.exitCode()) + "]" : QByteArray("[did not end]");
    return run;
}

SCliRun Run(const QStringList& args, const QByteArray& input, const QStringList& runAs)
{
    QProcess process;
    Start(process, args, runAs);
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    return Finish(process);
}

SCliTextRun Text(const SCliRun& run)
{
    return {run.exitCode, QString::fromUtf8(run.out), QString::fromUtf8(run.err)};
}
}  // namespace TestCli
