// orthex-cli results: prints one user's grades, missed words, vocabulary words or error profile
// as TSV or CSV, in the columns that "Export..." on the reports page writes too.

#include "cli/clicommand.h"
#include "reports/errorprofile.h"
#include "reports/resulttables.h"
#include "base/archive.h"
#include "storage/recordlist.h"
#include "storage/records.h"
#include "users/resultfiles.h"
#include "base/tablewriter.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {

constexpr const char* kUsage =
    "results --folder DIR --user NAME grades|missed|vocabulary|profile [--format tsv|csv]";

struct SArguments {
    QString folder;
    QString user;
    QString kind;
    CTableWriter::EFormat format = CTableWriter::EFormat::Tsv;
};

std::optional<SArguments> Parse(const QStringList& args)
{
    SArguments parsed;
    bool haveFolder = false;
    bool haveUser = false;
    bool haveFormat = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--folder") || arg == QLatin1String("--user") || arg == QLatin1String("--format")) {
            if (i + 1 >= args.size())
                return std::nullopt;
            const QString value = args[++i];
            if (arg == QLatin1String("--folder")) {
                if (haveFolder || value.isEmpty())
                    return std::nullopt;
                parsed.folder = value;
                haveFolder = true;
            } else if (arg == QLatin1String("--user")) {
                if (haveUser || value.isEmpty())
                    return std::nullopt;
                parsed.user = value;
                haveUser = true;
            } else {
                const auto format = CTableWriter::FormatNamed(value);
                if (haveFormat || !format)
                    return std::nullopt;
                parsed.format = *format;
                haveFormat = true;
            }
        } else if (arg == QLatin1String("grades") || arg == QLatin1String("missed")
                   || arg == QLatin1String("vocabulary") || arg == QLatin1String("profile")) {
            if (!parsed.kind.isEmpty())
                return std::nullopt;
            parsed.kind = arg;
        } else {
            return std::nullopt;
        }
    }
    if (!haveFolder || !haveUser || parsed.kind.isEmpty())
        return std::nullopt;
    return parsed;
}

// A name that would lead out of the folder cannot be a user's.
bool IsPlainFileName(const QString& name)
{
    return name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(QLatin1Char('/'))
           && !name.contains(QLatin1Char('\\'));
}

// Reads the list of a result file into list; no file yet means no results of this kind. The
// fault, naming the file or folder, when the folder does not exist, or the file cannot be read
// or is damaged; the records before the damage are then in list.
template <class T>
std::optional<QString> LoadResults(const QString& folder, const QString& path, CRecordList<T>& list)
{
    const QString name = QDir::toNativeSeparators(path);
    QByteArray bytes;
    QString error;
    switch (CResultFiles::ReadFile(path, bytes, error)) {
    case CResultFiles::EFileRead::Missing:
        if (QFileInfo(folder).isDir())
            return std::nullopt;
        return QDir::toNativeSeparators(folder) + QStringLiteral(": the folder does not exist");
    case CResultFiles::EFileRead::Failed:
        return name + QStringLiteral(": ") + error;
    case CResultFiles::EFileRead::Read:
        break;
    }
    try {
        CResultFiles::Load(bytes, list);
    } catch (const CArchiveException& e) {
        return name + QStringLiteral(": ") + e.Text();
    }
    return std::nullopt;
}

// Prints the table, then the fault if there was one.
int PrintTable(EReportKind kind, const QList<QStringList>& rows, CTableWriter::EFormat format,
               const std::optional<QString>& fault)
{
    Cli::Out() << ResultTables::Text(ResultTables::Header(kind), rows, format);
    Cli::Out().flush();
    if (!fault)
        return Cli::kOk;
    // The fault names the user: escaped as in the TSV tables, so that it cannot drive the terminal.
    Cli::Err() << "orthex-cli results: " << CTableWriter::EscapeTsv(*fault) << Qt::endl;
    return Cli::kFailed;
}

// The records of one result file: those read before a fault too.
template <class T>
int PrintList(const QString& folder, const QString& path, EReportKind kind, CTableWriter::EFormat format)
{
    CRecordList<T> list;
    const std::optional<QString> fault = LoadResults(folder, path, list);
    return PrintTable(kind, ResultTables::Rows(list), format, fault);
}

// The error profile of the misspelled words. A profile of part of a file would give wrong
// shares, so after a fault only the header is printed.
int PrintProfile(const QString& folder, const QString& path, CTableWriter::EFormat format)
{
    CRecordList<CMissed> list;
    const std::optional<QString> fault = LoadResults(folder, path, list);
    return PrintTable(EReportKind::Profile, fault ? QList<QStringList>() : ResultTables::Rows(CErrorProfile(list)),
                      format, fault);
}

int RunResults(const QStringList& args)
{
    const std::optional<SArguments> parsed = Parse(args);
    if (!parsed)
        return Cli::Usage(kUsage);
    if (!IsPlainFileName(parsed->user)) {
        Cli::Err() << "orthex-cli results: a user name cannot be . or .. or hold / or \\" << Qt::endl;
        return Cli::Usage(kUsage);
    }
    const QString& folder = parsed->folder;
    const auto path = [&](EResultKind kind) { return CResultFiles::PathOf(folder, parsed->user, kind); };
    if (parsed->kind == QLatin1String("grades"))
        return PrintList<CGrade>(folder, path(EResultKind::Grades), EReportKind::Grades, parsed->format);
    if (parsed->kind == QLatin1String("missed"))
        return PrintList<CMissed>(folder, path(EResultKind::Missed), EReportKind::Missed, parsed->format);
    if (parsed->kind == QLatin1String("profile"))
        return PrintProfile(folder, path(EResultKind::Missed), parsed->format);
    return PrintList<CVocabulary>(folder, path(EResultKind::Vocabulary), EReportKind::Vocabulary, parsed->format);
}

}  // namespace

ORTHEX_CLI_COMMAND("results", kUsage, &RunResults);
