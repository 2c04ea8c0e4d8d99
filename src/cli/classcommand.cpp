// orthex-cli class: every pupil of a user folder at once: the overview of their grades, the words
// the class missed most, or the class's error profile, as TSV or CSV.

#include "cli/clicommand.h"
#include "base/tablewriter.h"
#include "reports/classresults.h"
#include "reports/classtables.h"
#include "reports/resulttables.h"

#include <QDir>

#include <optional>

namespace {

constexpr const char* kUsage = "class --folder DIR [--list NAME] overview|words|profile [--format tsv|csv]";

struct SArguments {
    QString folder;
    QString list;
    std::optional<ClassTables::ETable> table;
    CTableWriter::EFormat format = CTableWriter::EFormat::Tsv;
};

std::optional<SArguments> Parse(const QStringList& args)
{
    SArguments parsed;
    bool haveList = false;
    bool haveFormat = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--folder") || arg == QLatin1String("--list") || arg == QLatin1String("--format")) {
            if (i + 1 >= args.size())
                return std::nullopt;
            const QString value = args[++i];
            if (arg == QLatin1String("--folder")) {
                if (!parsed.folder.isEmpty() || value.isEmpty())
                    return std::nullopt;
                parsed.folder = QDir::fromNativeSeparators(value);
            } else if (arg == QLatin1String("--list")) {
                if (haveList || value.isEmpty())
                    return std::nullopt;
                parsed.list = value;
                haveList = true;
            } else {
                const auto format = CTableWriter::FormatNamed(value);
                if (haveFormat || !format)
                    return std::nullopt;
                parsed.format = *format;
                haveFormat = true;
            }
            continue;
        }
        std::optional<ClassTables::ETable> table;
        if (arg == QLatin1String("overview"))
            table = ClassTables::ETable::Overview;
        else if (arg == QLatin1String("words"))
            table = ClassTables::ETable::Words;
        else if (arg == QLatin1String("profile"))
            table = ClassTables::ETable::Profile;
        if (!table || parsed.table)
            return std::nullopt;
        parsed.table = table;
    }
    if (parsed.folder.isEmpty() || !parsed.table)
        return std::nullopt;
    return parsed;
}

// Prints the table of everything that could be read, then each fault; any fault fails the run.
int RunClass(const QStringList& args)
{
    const std::optional<SArguments> parsed = Parse(args);
    if (!parsed)
        return Cli::Usage(kUsage);
    CClassResults results;
    results.Read(parsed->folder);
    Cli::Out() << ResultTables::Text(ClassTables::Header(*parsed->table),
                                     ClassTables::Rows(*parsed->table, results, parsed->list), parsed->format);
    Cli::Out().flush();
    const QStringList faults = results.Faults();
    // A fault holds user names: escaped as in the TSV tables, so that none drives the terminal.
    for (const QString& fault : faults)
        Cli::Err() << "orthex-cli class: " << CTableWriter::EscapeTsv(fault) << Qt::endl;
    return faults.isEmpty() ? Cli::kOk : Cli::kFailed;
}

}  // namespace

ORTHEX_CLI_COMMAND("class", kUsage, &RunClass);
