// orthex-cli analyze: the error label of a word and a misspelling, or of every
// WORD<TAB>MISSPELLING line of standard input.
#include "cli/clicommand.h"
#include "rules/spellingrules.h"

#include <QFile>

namespace {

constexpr const char* kUsage = "analyze [WORD MISSPELLING]";

// One line without its newline and without a trailing carriage return.
QByteArray WithoutLineEnd(QByteArray line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

int AnalyzeStandardInput()
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) {
        Cli::Err() << "orthex-cli analyze: cannot read standard input\n";
        return Cli::kFailed;
    }
    CSpellingRules rules;
    qint64 lineNumber = 0;
    for (;;) {
        const QByteArray raw = input.readLine();
        if (raw.isEmpty())
            break;  // end of input: every line read holds at least its newline
        ++lineNumber;
        const QByteArray line = WithoutLineEnd(raw);
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0) {
            Cli::Out().flush();
            Cli::Err() << "orthex-cli analyze: line " << lineNumber
                       << ": expected WORD<TAB>MISSPELLING\n";
            return Cli::kUsage;
        }
        const QString word = QString::fromUtf8(line.first(tab));
        const QString misspelling = QString::fromUtf8(line.sliced(tab + 1));
        Cli::Out() << rules.AnalyzeMisspelling(word, misspelling) << '\n';
    }
    if (input.error() != QFileDevice::NoError) {
        Cli::Out().flush();
        Cli::Err() << "orthex-cli analyze: cannot read standard input: " << input.errorString()
                   << '\n';
        return Cli::kFailed;
    }
    return Cli::kOk;
}

int RunAnalyze(const QStringList& args)
{
    if (args.isEmpty())
        return AnalyzeStandardInput();
    if (args.size() != 2)
        return Cli::Usage(kUsage);
    CSpellingRules rules;
    Cli::Out() << rules.AnalyzeMisspelling(args[0], args[1]) << '\n';
    return Cli::kOk;
}

}  // namespace

ORTHEX_CLI_COMMAND("analyze", kUsage, &RunAnalyze);
