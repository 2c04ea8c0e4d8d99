#include "lists/wordfile.h"

#include "lists/wordspeaker.h"
#include "sound/speechsynthesizer.h"
#include "storage/listdatabase.h"

#include <QCoreApplication>
#include <QByteArrayView>
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

// Calls take(line, number) for each physical line without its end. "\n", "\r\n" and a lone
// "\r" (old Mac files) each end a line, so line numbers match what an editor shows; a final
// line end starts no line.
template <typename Take>
void forEachLine(QByteArrayView bytes, Take take)
{
    int number = 0;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        take(bytes.sliced(start, end - start), ++number);
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

QByteArrayView withoutByteOrderMark(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
}

std::vector<SLine> splitLines(const QByteArray& bytes)
{
    std::vector<SLine> lines;
    forEachLine(withoutByteOrderMark(bytes), [&lines](QByteArrayView line, int number) {
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString text = decoder(line);
        lines.push_back({number, decoder.hasError() ? std::nullopt : std::optional<QString>(std::move(text))});
    });
    return lines;
}

WordFile::EFormat guess(const QByteArray& bytes)
{
    if (bytes.contains('\t'))
        return WordFile::EFormat::Lines;
    bool csv = false;
    forEachLine(withoutByteOrderMark(bytes), [&csv](QByteArrayView line, int) {
        csv = csv || line.contains(',') || line.trimmed().startsWith('"');
    });
    return csv ? WordFile::EFormat::Csv : WordFile::EFormat::Lines;
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

// A character a pupil cannot type or see: a control character (a line end inside a quoted
// CSV field, say) or an invisible format one (U+200B zero width space, U+202E right-to-left
// override). The first one, or 0.
char32_t unseenCharacter(const QString& text)
{
    for (const char32_t c : QStringView(text).toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Control || category == QChar::Other_Format)
            return c;
    }
    return 0;
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
        auto problem = [&](SProblem::EKind kind) { result.problems.push_back({record.line, kind, 0, 0, {}}); };
        if (record.broken) {
            problem(*record.broken);
            continue;
        }
        // Spaces around a word are unseen in a file, and a pupil could never type them.
        const QString word = Normalized(record.fields.value(0).trimmed());
        const QString sentence = Normalized(record.fields.value(1).trimmed());
        const bool blank = std::all_of(record.fields.cbegin(), record.fields.cend(),
                                       [](const QString& f) { return f.trimmed().isEmpty(); });
        if (blank)
            problem(SProblem::EKind::Empty);
        else if (word.isEmpty())
            problem(result.format == EFormat::Csv ? SProblem::EKind::NoWordInFirstColumn : SProblem::EKind::NoWordBeforeTab);
        else if (const std::optional<SProblem> refused = CheckWord(word))
            result.problems.push_back({record.line, refused->kind, 0, refused->character, {}});
        else if (sentence.size() > CSpeechSynthesizer::kMaxTextLength)
            problem(SProblem::EKind::SentenceTooLong);
        else if (const auto it = seen.constFind(word); it != seen.cend())
            result.problems.push_back({record.line, SProblem::EKind::Duplicate, it.value(), 0, word});
        else {
            seen.insert(word, record.line);
            result.entries.push_back({record.line, word, sentence});
        }
    }
    return result;
}

QString WordFile::Normalized(const QString& word)
{
    return word.normalized(QString::NormalizationForm_C);
}

std::optional<WordFile::SProblem> WordFile::CheckWord(const QString& word)
{
    if (word.size() > CListDatabase::kMaxWordLength)
        return SProblem{0, SProblem::EKind::TooLong, 0, 0, {}};
    const char32_t unseen = unseenCharacter(word);
    if (unseen == 0)
        return std::nullopt;
    if (QChar::category(unseen) == QChar::Other_Format)
        return SProblem{0, SProblem::EKind::FormatCharacter, 0, unseen, {}};
    return SProblem{0, SProblem::EKind::ControlCharacter, 0, unseen, {}};
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
    case SProblem::EKind::FormatCharacter:
        return QCoreApplication::translate("WordFile", "the word holds the invisible character U+%1")
            .arg(QStringLiteral("%1").arg(uint(problem.character), 4, 16, QLatin1Char('0')).toUpper());
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
    case SProblem::EKind::SpokenTooLong:
        return QCoreApplication::translate("WordFile", "it would be spoken for longer than %1 seconds")
            .arg(CWordSpeaker::kMaxSeconds);
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
        if (word.trimmed().isEmpty() || unseenCharacter(word) != 0)
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
