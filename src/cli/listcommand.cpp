// orthex-cli list: the rows of a spelling-list file, as the program's cursor sees them; and
// lists made without a microphone: a new empty list, a word with a recording or spoken by the
// speech engine, and a whole word file spoken line by line.

#include "base/appsettings.h"
#include "base/boundedfile.h"
#include "base/messages.h"
#include "cli/boundedinput.h"
#include "cli/clicommand.h"
#include "storage/listappender.h"
#include "storage/listdatabase.h"
#include "storage/listmessages.h"
#include "storage/spellinglistdb.h"
#include "lists/wordfile.h"
#include "lists/wordimport.h"
#include "lists/wordspeaker.h"
#include "sound/recordingcheck.h"
#include "sound/speechsynthesizer.h"
#include "base/tablewriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <atomic>
#include <optional>
#include <vector>

namespace {
// The messages the program would show in a box go to standard error here.
class CErrorStreamSink : public IMessageSink
{
public:
    CErrorStreamSink()
        : m_previous(Messages::Sink())
    {
        Messages::SetSink(this);
    }
    ~CErrorStreamSink() override { Messages::SetSink(m_previous); }
    CErrorStreamSink(const CErrorStreamSink&) = delete;
    CErrorStreamSink& operator=(const CErrorStreamSink&) = delete;

    void ShowMessage(const QString& text, MessageIcon) override
    {
        Cli::Out().flush();
        Cli::Err() << text << '\n';
        Cli::Err().flush();
    }

private:
    IMessageSink* m_previous;
};

const char kPrintUsage[] = "list FILE.orthex";
const char kNewUsage[] = "list new FILE.orthex";
const char kAddUsage[] = "list add FILE.orthex WORD [--wav F | --speak [--sentence S]] [--creator NAME]";
const char kImportUsage[] = "list import FILE.orthex WORDS.txt [--creator NAME]";

int printRows(const QStringList& args)
{
    if (args.size() != 1 || args.first().isEmpty())
        return Cli::Usage(kPrintUsage);
    CErrorStreamSink sink;
    CListDatabase database;
    if (!database.Open(args.first(), CListDatabase::Access::ReadOnly))
        return Cli::kFailed;
    CSpellingListDB list(database);
    if (!list.Open())
        return Cli::kFailed;
    // Words come from anywhere: the table writer escapes what would break the table or reach
    // the terminal as a control code.
    CTableWriter table(Cli::Out(), CTableWriter::EFormat::Tsv);
    table.WriteRow({QStringLiteral("Order"), QStringLiteral("CreatedBy"), QStringLiteral("Word"),
                    QStringLiteral("SoundBytes")});
    if (!(list.IsBOF() && list.IsEOF())) {
        for (list.MoveFirst(); !list.IsEOF(); list.MoveNext())
            table.WriteRow({QString::number(list.Order()), list.CreatedBy(), list.Word(),
                            QString::number(list.SoundSize())});
    }
    Cli::Out().flush();
    return Cli::kOk;
}

// --- Arguments of the sub-forms ---

struct Arguments {
    QStringList positional;
    QHash<QString, QString> values;  // "--name" -> value ("" for a flag)
};

// Splits the arguments into positional ones and the options given; nothing when an option is
// unknown, repeated or lacks its value.
std::optional<Arguments> parseArguments(const QStringList& args, const QStringList& valueOptions,
                                        const QStringList& flags)
{
    Arguments parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (!arg.startsWith(QLatin1String("--"))) {
            parsed.positional << arg;
            continue;
        }
        if (parsed.values.contains(arg))
            return std::nullopt;
        if (flags.contains(arg)) {
            parsed.values.insert(arg, QString());
        } else if (valueOptions.contains(arg) && i + 1 < args.size()) {
            parsed.values.insert(arg, args.at(++i));
        } else {
            return std::nullopt;
        }
    }
    return parsed;
}

// The creator of the words added: the one named, else the user logged in automatically, else
// nobody. Nothing (after saying why) when the name is too long to be stored.
std::optional<QString> creatorOf(const Arguments& args)
{
    const QString creator = args.values.contains(QStringLiteral("--creator"))
                                ? args.values.value(QStringLiteral("--creator"))
                                : CAppSettings().AutoLogInName();
    if (creator.size() > CListDatabase::kMaxCreatedByLength) {
        Messages::Show(ListMessages::CreatorTooLong(creator, CListDatabase::kMaxCreatedByLength));
        return std::nullopt;
    }
    return creator;
}

void fail(const char* form, const QString& text)
{
    Cli::Out().flush();
    Cli::Err() << "orthex-cli list " << form << ": " << text << '\n';
    Cli::Err().flush();
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// --- list new ---

int runNew(const QStringList& args)
{
    if (args.size() != 1 || args.first().isEmpty() || args.first().startsWith(QLatin1String("--")))
        return Cli::Usage(kNewUsage);
    const QString& path = args.first();
    if (QFileInfo::exists(path)) {
        fail("new", QStringLiteral("\"%1\" already exists; it was left as it is.").arg(shown(path)));
        return Cli::kFailed;
    }
    if (QString why; !CListDatabase::Create(path, &why)) {
        fail("new", QStringLiteral("\"%1\" could not be created: %2").arg(shown(path), why));
        return Cli::kFailed;
    }
    return Cli::kOk;
}

// --- list add ---

int runAdd(const QStringList& rawArgs)
{
    const std::optional<Arguments> args = parseArguments(
        rawArgs, {QStringLiteral("--wav"), QStringLiteral("--sentence"), QStringLiteral("--creator")},
        {QStringLiteral("--speak")});
    if (!args || args->positional.size() != 2 || args->positional.at(0).isEmpty()
        || (args->values.contains(QStringLiteral("--wav"))
            && (args->values.contains(QStringLiteral("--speak")) || args->values.contains(QStringLiteral("--sentence")))))
        return Cli::Usage(kAddUsage);
    CErrorStreamSink sink;
    const QString& path = args->positional.at(0);
    // Stored composed, as a pupil's answer is compared.
    const QString word = WordFile::Normalized(args->positional.at(1));
    if (word.isEmpty()) {
        fail("add", QStringLiteral("the word is empty."));
        return Cli::kFailed;
    }
    if (word.size() > CListDatabase::kMaxWordLength) {
        Messages::Show(ListMessages::WordTooLong(word, CListDatabase::kMaxWordLength));
        return Cli::kFailed;
    }
    if (const std::optional<WordFile::SProblem> refused = WordFile::CheckWord(word)) {
        fail("add", QStringLiteral("\"%1\" cannot be a word of a list: %2.").arg(word, WordFile::Reason(*refused)));
        return Cli::kFailed;
    }
    const std::optional<QString> creator = creatorOf(*args);
    if (!creator)
        return Cli::kFailed;

    CListAppender list;
    if (!list.Open(path))
        return Cli::kFailed;
    // Adding a word the list has is done already: a script may run the same add again.
    for (const QString& listed : list.Words()) {
        if (WordFile::Normalized(listed) == word) {
            Cli::Out() << "\"" << word << "\" is on the list already; it was not added again.\n";
            return Cli::kOk;
        }
    }
    QByteArray sound;
    if (args->values.contains(QStringLiteral("--wav"))) {
        const QString wavPath = args->values.value(QStringLiteral("--wav"));
        QFile file;
        if (QString why; !BoundedFile::Open(file, wavPath, &why)) {
            fail("add", QStringLiteral("\"%1\" could not be read: %2").arg(shown(wavPath), why));
            return Cli::kFailed;
        }
        sound = file.read(RecordingCheck::kMaxBytes + 1);
        if (const QString why = RecordingCheck::UnplayableReason(sound); !why.isEmpty()) {
            fail("add", QStringLiteral("\"%1\" cannot be a word's recording: %2.").arg(shown(wavPath), why));
            return Cli::kFailed;
        }
    } else {
        // Without a recording the word is spoken.
        std::optional<QByteArray> spoken =
            CWordSpeaker().Speak(word, args->values.value(QStringLiteral("--sentence")));
        if (!spoken)
            return Cli::kFailed;
        sound = std::move(*spoken);
    }
    const int order = list.Append(*creator, word, sound);
    if (order == 0)
        return Cli::kFailed;
    Cli::Out() << "Added \"" << word << "\" as word " << order << ".\n";
    return Cli::kOk;
}

// --- list import ---

// Reads the word file (see lists/wordfile.h) and leaves out the words the list has: the words
// to speak. Every line not taken is told on standard error with why, except blank ones; lines
// whose word is stored already (on the list or an earlier line) are told as left out, which is
// no failure, so that the same import can be run again. Nothing when the file cannot be read.
std::optional<std::vector<WordFile::SEntry>> readWordFile(const QString& path, const QStringList& listed, int* skipped)
{
    BoundedInput::Result input = BoundedInput::Read(path);
    const QString name = path == QLatin1String("-") ? QStringLiteral("standard input")
                                                    : QStringLiteral("\"%1\"").arg(shown(path));
    switch (input.status) {
    case BoundedInput::Result::EStatus::Read:
        break;
    case BoundedInput::Result::EStatus::Failed:
        fail("import", QStringLiteral("%1 could not be read: %2").arg(name, input.error));
        return std::nullopt;
    case BoundedInput::Result::EStatus::TooLarge:
        fail("import", QStringLiteral("%1 is larger than %2, the most a word file may hold.")
                           .arg(name, BoundedInput::LimitText()));
        return std::nullopt;
    }
    WordFile::SResult parsed = WordFile::Parse(input.bytes, WordFile::FormatOfName(path));
    WordImport::LeaveOutListed(parsed, listed);
    for (const WordFile::SProblem& problem : parsed.problems) {
        switch (problem.kind) {
        case WordFile::SProblem::EKind::Empty:
            break;  // blank lines are skipped quietly
        case WordFile::SProblem::EKind::InList:
        case WordFile::SProblem::EKind::Duplicate:
            Cli::Err() << "line " << problem.line << " left out: \"" << problem.word << "\": "
                       << WordFile::Reason(problem) << '\n';
            break;
        default:
            Cli::Err() << "line " << problem.line << " skipped: " << WordFile::Reason(problem) << '\n';
            ++*skipped;
            break;
        }
    }
    return std::move(parsed.entries);
}

QString countText(int count, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

int runImport(const QStringList& rawArgs)
{
    const std::optional<Arguments> args = parseArguments(rawArgs, {QStringLiteral("--creator")}, {});
    if (!args || args->positional.size() != 2 || args->positional.at(0).isEmpty() || args->positional.at(1).isEmpty())
        return Cli::Usage(kImportUsage);
    CErrorStreamSink sink;
    const std::optional<QString> creator = creatorOf(*args);
    if (!creator)
        return Cli::kFailed;
    CListAppender list;
    if (!list.Open(args->positional.at(0)))
        return Cli::kFailed;
    int skipped = 0;
    const std::optional<std::vector<WordFile::SEntry>> lines =
        readWordFile(args->positional.at(1), list.Words(), &skipped);
    if (!lines)
        return Cli::kFailed;

    // Each word is spoken into a temporary store, then all are copied in one transaction: the
    // list gets all the words or, when the file cannot be changed, none, and is not held locked
    // while speech is made; memory holds one recording at a time.
    const std::atomic_bool cancel{false};
    WordImport::SSpeech speech = WordImport::Speak(*lines, cancel);
    if (speech.notKept)
        return Cli::kFailed;
    for (const WordFile::SProblem& problem : speech.failed) {
        Cli::Err() << "line " << problem.line << " skipped: " << WordFile::Reason(problem) << '\n';
        ++skipped;
    }
    if (!list.Begin())
        return Cli::kFailed;
    if (!speech.spoken->forEach([&](const QString& word, const QByteArray& sound) {
            return list.Append(*creator, word, sound) != 0;
        }))
        return Cli::kFailed;  // rolled back
    if (!list.Commit())
        return Cli::kFailed;
    Cli::Out() << "Added " << countText(speech.spoken->count(), "word", "words") << "; skipped "
               << countText(skipped, "line", "lines") << ".\n";
    return skipped == 0 ? Cli::kOk : Cli::kFailed;
}

int printHelp(const QStringList&)
{
    for (const char* usage : {kPrintUsage, kNewUsage, kAddUsage, kImportUsage})
        Cli::Out() << "usage: orthex-cli " << usage << '\n';
    Cli::Out() << "  Without --wav, the word is spoken (with its sentence, as a dictation: the word, the\n"
                  "  sentence, the word), in the voice and at the rate of the program's options.\n"
                  "  WORDS.txt holds one word per line, optionally a tab and a sentence, or is CSV\n"
                  "  (the word, then the sentence), "
               << BoundedInput::LimitText()
               << " at most;\n"
                  "  \"-\" reads standard input. The creator is the user who logs in automatically\n"
                  "  unless named.\n";
    return Cli::kOk;
}

// Sub-forms ("list new", "list add", ...) are named by the first argument; anything else is the
// file to print.
struct ListSubForm {
    const char* name;
    int (*run)(const QStringList& args);
};

const std::vector<ListSubForm>& subForms()
{
    static const std::vector<ListSubForm> forms{
        {"new", &runNew}, {"add", &runAdd}, {"import", &runImport}, {"--help", &printHelp}};
    return forms;
}

int runList(const QStringList& args)
{
    if (!args.isEmpty()) {
        for (const ListSubForm& form : subForms())
            if (args.first() == QLatin1String(form.name))
                return form.run(args.mid(1));
    }
    return printRows(args);
}

// The four forms, one a line, for orthex-cli --help.
const char* usageForms()
{
    static const QByteArray forms = QByteArray(kPrintUsage) + '\n' + kNewUsage + '\n' + kAddUsage + '\n' + kImportUsage;
    return forms.constData();
}
}  // namespace

ORTHEX_CLI_COMMAND("list", usageForms(), &runList);
