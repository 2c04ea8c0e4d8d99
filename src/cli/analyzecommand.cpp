// orthex-cli analyze: the error label of a word and a misspelling, or of every
// WORD<TAB>MISSPELLING line of standard input.
#include "cli/boundedinput.h"
#include "cli/clicommand.h"
#include "rules/spellingrules.h"

namespace {

constexpr const char* kUsage = "analyze [WORD MISSPELLING]";

int AnalyzeStandardInput()
{
    const BoundedInput::Result input = BoundedInput::Read(QStringLiteral("-"));
    switch (input.status) {
    case BoundedInput::Result::EStatus::Read:
        break;
    case BoundedInput::Result::EStatus::Failed:
        Cli::Err() << "orthex-cli analyze: cannot read standard input: " << input.error << '\n';
        return Cli::kFailed;
    case BoundedInput::Result::EStatus::TooLarge:
        Cli::Err() << "orthex-cli analyze: standard input is larger than " << BoundedInput::LimitText()
                   << ", the most it reads.\n";
        return Cli::kFailed;
    }
    CSpellingRules rules;
    const QList<QByteArray> lines = input.bytes.split('\n');
    // The piece after the last newline is a line only when it holds something.
    const qsizetype count = lines.last().isEmpty() ? lines.size() - 1 : lines.size();
    for (qsizetype i = 0; i < count; ++i) {
        QByteArray line = lines.at(i);
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0) {
            Cli::Out().flush();
            Cli::Err() << "orthex-cli analyze: line " << (i + 1) << ": expected WORD<TAB>MISSPELLING\n";
            return Cli::kUsage;
        }
        const QString word = QString::fromUtf8(line.first(tab));
        const QString misspelling = QString::fromUtf8(line.sliced(tab + 1));
        Cli::Out() << rules.AnalyzeMisspelling(word, misspelling) << '\n';
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
