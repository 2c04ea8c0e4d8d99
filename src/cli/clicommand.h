#pragma once

#include <QStringList>
#include <QTextStream>

// A sub-command of orthex-cli. Each lives in its own file and registers itself with
// ORTHEX_CLI_COMMAND, so adding one touches nothing else.
struct CliCommand {
    const char* name;   // first argument, e.g. "results"
    const char* usage;  // one line per form ("sound devices\nsound play FILE.wav"), without the program name
    int (*run)(const QStringList& args);  // args after the name; returns the exit status
};

namespace Cli {
bool Register(const CliCommand& command);
const QList<CliCommand>& Commands();

// UTF-8 standard output and standard error.
QTextStream& Out();
QTextStream& Err();

// Prints "usage: orthex-cli <form>" for each form of usage to standard error and returns 2.
int Usage(const char* usage);

// Exit statuses shared by every command.
constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;
}  // namespace Cli

#define ORTHEX_CLI_CONCAT2(a, b) a##b
#define ORTHEX_CLI_CONCAT(a, b) ORTHEX_CLI_CONCAT2(a, b)
#define ORTHEX_CLI_COMMAND(name, usage, function) \
    static const bool ORTHEX_CLI_CONCAT(s_registered_, __LINE__) = Cli::Register({name, usage, function})
