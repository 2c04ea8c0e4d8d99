#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QProcess;

// What a run of orthex-cli printed and how it ended.
template <class Text>
struct TCliRun {
    int exitCode = -1;  // -1: it did not end, or ended by a signal
    Text out;
    Text err;
};
using SCliRun = TCliRun<QByteArray>;
using SCliTextRun = TCliRun<QString>;  // what it printed read as UTF-8

// Runs orthex-cli, the program ORTHEX_CLI names (CTest sets it), for the command-line tests.
namespace TestCli {
// Starts orthex-cli with the arguments, through the command runAs (a program and its
// arguments) when given.
void Start(QProcess& process, const QStringList& args, const QStringList& runAs = {});
// Waits up to a minute for the run to end (one that does not is killed) and takes what it
// printed; a run that did not end normally says so at the end of err.
SCliRun Finish(QProcess& process);
// Starts, writes the input and closes it, and finishes.
SCliRun Run(const QStringList& args, const QByteArray& input = {}, const QStringList& runAs = {});
SCliTextRun Text(const SCliRun& run);
}  // namespace TestCli
