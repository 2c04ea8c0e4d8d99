// orthex-cli results: prints one user's grades, missed words or vocabulary words as TSV or CSV.

#include "cli/clicommand.h"
#include "rules/spellingrules.h"
#include "users/archive.h"
#include "users/recordlist.h"
#include "users/records.h"
#include "users/tablewriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

constexpr const char* kUsage =
    "results --folder DIR --user NAME grades|missed|vocabulary [--format tsv|csv]";

// The columns of each kind, header and value side by side, so a column is added in one line.
template <class T>
struct SColumn {
    const char* header;
    QString (*value)(const T&);
};

const SColumn<CGrade> kGradeColumns[] = {
    {"List", [](const CGrade& g) { return g.GetListName(); }},
    {"Date", [](const CGrade& g) { return g.GetDateText(); }},
    {"Correct", [](const CGrade& g) { return QString::number(g.GetCorrectCount()); }},
    {"Words", [](const CGrade& g) { return QString::number(g.GetWordCount()); }},
};

const SColumn<CMissed> kMissedColumns[] = {
    {"List", [](const CMissed& m) { return m.GetListName(); }},
    {"Date", [](const CMissed& m) { return m.GetDateText(); }},
    {"Word", [](const CMissed& m) { return m.GetWord(); }},
    {"Misspelling", [](const CMissed& m) { return m.GetMisspelling(); }},
    // The label is not stored with the record: it is worked out afresh, as the reports do.
    {"Errors", [](const CMissed& m) {
         static CSpellingRules rules;
         return rules.AnalyzeMisspelling(m.GetWord(), m.GetMisspelling());
     }},
};

const SColumn<CVocabulary> kVocabularyColumns[] = {
    {"List", [](const CVocabulary& v) { return v.GetListName(); }},
    {"Date", [](const CVocabulary& v) { return v.GetDateText(); }},
    {"Word", [](const CVocabulary& v) { return v.GetWord(); }},
    {"Extra", [](const CVocabulary& v) { return v.GetExtra(); }},
};

template <class T, size_t N>
QStringList HeaderRow(const SColumn<T> (&columns)[N])
{
    QStringList row;
    for (const SColumn<T>& c : columns)
        row << QString::fromLatin1(c.header);
    return row;
}

template <class T, size_t N>
QStringList RecordRow(const SColumn<T> (&columns)[N], const T& record)
{
    QStringList row;
    for (const SColumn<T>& c : columns)
        row << c.value(record);
    return row;
}

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
                if (haveFormat)
                    return std::nullopt;
                if (value == QLatin1String("tsv"))
                    parsed.format = CTableWriter::EFormat::Tsv;
                else if (value == QLatin1String("csv"))
                    parsed.format = CTableWriter::EFormat::Csv;
                else
                    return std::nullopt;
                haveFormat = true;
            }
        } else if (arg == QLatin1String("grades") || arg == QLatin1String("missed")
                   || arg == QLatin1String("vocabulary")) {
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

template <class T, size_t N>
int PrintList(const QString& path, const SColumn<T> (&columns)[N], CTableWriter::EFormat format)
{
    CTableWriter writer(Cli::Out(), format);
    writer.WriteRow(HeaderRow(columns));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // No file yet: the user has no results of this kind.
        if (!QFileInfo::exists(path))
            return Cli::kOk;
        Cli::Out().flush();
        Cli::Err() << "orthex-cli results: " << QDir::toNativeSeparators(path) << ": " << file.errorString()
                   << Qt::endl;
        return Cli::kFailed;
    }
    CRecordList<T> list;
    std::optional<CArchiveException> error;
    {
        CArchive ar(file, CArchive::Load);
        try {
            LoadList(ar, list);
        } catch (const CArchiveException& e) {
            error = e;
        }
    }
    for (const T& record : list)
        writer.WriteRow(RecordRow(columns, record));
    if (error) {
        Cli::Out().flush();
        Cli::Err() << "orthex-cli results: " << QDir::toNativeSeparators(path) << ": " << error->Text()
                   << Qt::endl;
        return Cli::kFailed;
    }
    return Cli::kOk;
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
    const QString base = parsed->folder + QLatin1Char('/') + parsed->user;
    if (parsed->kind == QLatin1String("grades"))
        return PrintList(base + QLatin1String(".sp3"), kGradeColumns, parsed->format);
    if (parsed->kind == QLatin1String("missed"))
        return PrintList(base + QLatin1String(".sp4"), kMissedColumns, parsed->format);
    return PrintList(base + QLatin1String(".sp5"), kVocabularyColumns, parsed->format);
}

}  // namespace

ORTHEX_CLI_COMMAND("results", kUsage, &RunResults);
