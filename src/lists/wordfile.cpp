#include "lists/wordfile.h"

#include "sound/speechsynthesizer.h"
#include "storage/listdatabase.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace {
// One physical line, decoded; nothing when it is not UTF-8.
struct SLine {
    int number = 0;
    std::optional<QString> text;
};

std::vector<SLine> splitLines(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    std::vector<SLine> lines;
    if (bytes.isEmpty())
        return lines;
    const QList<QByteArray> raw = bytes.split('\n');
    // A final line end ends the last line; it does not start another.
    const qsizetype count = raw.last().isEmpty() ? raw.size() - 1 : raw.size();
    lines.reserve(size_t(count));
    for (qsizetype i = 0; i < count; ++i) {
        QByteArray line = raw.at(i);
        if (line.endsWith('\r'))
            line.chop(1);
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString text = decoder(line);
        lines.push_back({int(i + 1), decoder.hasError() ? std::nullopt : std::optional<QString>(std::move(text))});
    }
    return lines;
}

WordFile::EFormat guess(const QByteArray& bytes)
{
    if (bytes.contains('\t'))
        return WordFile::EFormat::Lines;
    for (const QByteArray& line : bytes.split('\n'))
        if (line.contains(',') || line.trimmed().startsWith('"'))
            return WordFile::EFormat::Csv;
    return WordFile::EFormat::Lines;
}

// A record before it is checked: its fields, or why it has none.
struct SRecord {
    int line = 0;
    QStringList fields;
    std::optional<WordFile::SProblem::EKind> broken;
};

std::vector<SRecord> readLines(const std::vector<SLine>& lines)
{
    std::vector<SRecord> records;
    for (const SLine& line : lines) {
        SRecord record{line.number, {}, std::nullopt};
        if (!line.text) {
            record.broken = WordFile::SProblem::EKind::NotText;
        } else {
            const qsizetype tab = line.text->indexOf(QLatin1Char('\t'));
            record.fields << line.text->left(tab);
            if (tab >= 0)
                record.fields << line.text->mid(tab + 1);
        }
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<SRecord> readCsv(const std::vector<SLine>& lines)
{
    std::vector<SRecord> records;
    SRecord record;
    QString field;
    bool quoted = false;       // inside a quoted field
    bool fieldQuoted = false;  // the field began with a quote
    for (const SLine& line : lines) {
        if (!quoted)
            record = SRecord{line.number, {}, std::nullopt};
        else
            field += QLatin1Char('\n');
        if (!line.text) {
            // Not text: the record is lost, but a quote opened before still runs on.
            record.broken = WordFile::SProblem::EKind::NotText;
            if (!quoted) {
                records.push_back(std::move(record));
                field.clear();
                fieldQuoted = false;
            }
            continue;
        }
        const QString& text = *line.text;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (quoted) {
                if (c != QLatin1Char('"'))
                    field += c;
                else if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"'))
                    field += text.at(++i);
                else
                    quoted = false;
            } else if (c == QLatin1Char(',')) {
                record.fields << field;
                field.clear();
                fieldQuoted = false;
            } else if (c == QLatin1Char('"') && !fieldQuoted && field.trimmed().isEmpty()) {
                // Spaces before the opening quote are taken as unseen.
                field.clear();
                quoted = fieldQuoted = true;
            } else {
                field += c;
            }
        }
        if (quoted)
            continue;  // the record goes on on the next line
        record.fields << field;
        field.clear();
        fieldQuoted = false;
        records.push_back(std::move(record));
    }
    if (quoted) {
        record.broken = WordFile::SProblem::EKind::OpenQuote;
        record.fields.clear();
        records.push_back(std::move(record));
    }
    return records;
}

bool holdsControlCharacter(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}
}  // namespace

WordFile::SResult WordFile::Parse(const QByteArray& bytes, EFormat format)
{
    SResult result;
    result.format = format == EFormat::Guess ? guess(bytes) : format;
    const std::vector<SLine> lines = splitLines(bytes);
    const std::vector<SRecord> records = result.format == EFormat::Csv ? readCsv(lines) : readLines(lines);
    QHash<QString, int> seen;  // word -> the line it is on
    for (const SRecord& record : records) {
        auto problem = [&](SProblem::EKind kind, int firstLine = 0) {
            result.problems.push_back({record.line, kind, firstLine});
        };
        if (record.broken) {
            problem(*record.broken);
            continue;
        }
        // Spaces around a word are unseen in a file, and a pupil could never type them.
        const QString word = record.fields.value(0).trimmed();
        const QString sentence = record.fields.value(1).trimmed();
        const bool blank = std::all_of(record.fields.cbegin(), record.fields.cend(),
                                       [](const QString& f) { return f.trimmed().isEmpty(); });
        if (blank)
            problem(SProblem::EKind::Empty);
        else if (word.isEmpty())
            problem(result.format == EFormat::Csv ? SProblem::EKind::NoWordInFirstColumn : SProblem::EKind::NoWordBeforeTab);
        else if (word.size() > CListDatabase::kMaxWordLength)
            problem(SProblem::EKind::TooLong);
        else if (holdsControlCharacter(word))
            problem(SProblem::EKind::ControlCharacter);
        else if (sentence.size() > CSpeechSynthesizer::kMaxTextLength)
            problem(SProblem::EKind::SentenceTooLong);
        else if (const auto it = seen.constFind(word); it != seen.cend())
            problem(SProblem::EKind::Duplicate, it.value());
        else {
            seen.insert(word, record.line);
            result.entries.push_back({record.line, word, sentence});
        }
    }
    return result;
}

WordFile::SResult WordFile::Parse(const QString& text, EFormat format)
{
    return Parse(text.toUtf8(), format);
}

WordFile::EFormat WordFile::FormatOfName(const QString& fileName)
{
    return fileName.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ? EFormat::Csv : EFormat::Guess;
}

QString WordFile::Reason(const SProblem& problem)
{
    switch (problem.kind) {
    case SProblem::EKind::Empty:
        return QCoreApplication::translate("WordFile", "it is empty");
    case SProblem::EKind::NotText:
        return QCoreApplication::translate("WordFile", "it is not UTF-8 text");
    case SProblem::EKind::NoWordBeforeTab:
        return QCoreApplication::translate("WordFile", "there is no word before the tab");
    case SProblem::EKind::NoWordInFirstColumn:
        return QCoreApplication::translate("WordFile", "there is no word in the first column");
    case SProblem::EKind::TooLong:
        return QCoreApplication::translate("WordFile", "the word is longer than %1 characters")
            .arg(CListDatabase::kMaxWordLength);
    case SProblem::EKind::ControlCharacter:
        return QCoreApplication::translate("WordFile", "the word holds a control character");
    case SProblem::EKind::SentenceTooLong:
        return QCoreApplication::translate("WordFile", "the sentence is longer than %1 characters")
            .arg(CSpeechSynthesizer::kMaxTextLength);
    case SProblem::EKind::Duplicate:
        return QCoreApplication::translate("WordFile", "the word is already on line %1").arg(problem.firstLine);
    case SProblem::EKind::OpenQuote:
        return QCoreApplication::translate("WordFile", "a quote opened here is never closed");
    case SProblem::EKind::InList:
        return QCoreApplication::translate("WordFile", "the list has the word already");
    case SProblem::EKind::CouldNotSpeak:
        return QCoreApplication::translate("WordFile", "it could not be spoken");
    }
    return QString();
}

QString WordFile::Describe(const SProblem& problem)
{
    return QCoreApplication::translate("WordFile", "line %1: %2").arg(problem.line).arg(Reason(problem));
}

QByteArray WordFile::Write(const QStringList& words)
{
    QByteArray bytes;
    for (const QString& word : words) {
        if (word.trimmed().isEmpty() || holdsControlCharacter(word))
            continue;
        // A comma or a quote would make the file read as CSV: such a word is written quoted,
        // which reads back the same.
        if (word.contains(QLatin1Char(',')) || word.contains(QLatin1Char('"')))
            bytes += '"' + word.toUtf8().replace('"', "\"\"") + '"';
        else
            bytes += word.toUtf8();
        bytes += '\n';
    }
    return bytes;
}
