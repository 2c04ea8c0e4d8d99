#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// A word file, as pasted or read from disk: one word a line with an optional tab and a sentence
// to say it in, or CSV (RFC 4180: quoted fields, doubled quotes, line ends inside quotes; the
// word in the first column, the sentence in the second). UTF-8, "\n", "\r\n" or a lone "\r" as
// line ends, a byte-order mark allowed. Words and sentences are read in Unicode's composed form
// (NFC), as lists store them. The words page's import and `orthex-cli list import` both read it here.
namespace WordFile {
enum class EFormat {
    Guess,  // CSV when no line holds a tab and a line holds a comma or starts with a quote
    Lines,
    Csv,
};

// One word to add and the line its record starts on (1-based).
struct SEntry {
    int line = 0;
    QString word;
    QString sentence;
};

// A line that gives no word, and why.
struct SProblem {
    enum class EKind {
        Empty,            // nothing on it (blank lines are common and harmless)
        NotText,          // not UTF-8
        NoWordBeforeTab,  // a sentence without its word
        NoWordInFirstColumn,
        TooLong,          // the word is longer than a list holds
        ControlCharacter, // the word holds one
        FormatCharacter,  // the word holds an invisible one (Unicode category Cf), e.g. U+200B
        SentenceTooLong,  // longer than the speech engine says
        Duplicate,        // the word is already on an earlier line
        OpenQuote,        // CSV: a quoted field is not closed before the end
        InList,           // importing: the list has the word already
        CouldNotSpeak,    // importing: the speech engine made no recording of it
        SpokenTooLong,    // importing: its recording would pass CWordSpeaker::kMaxSeconds
    };
    int line = 0;
    EKind kind = EKind::Empty;
    int firstLine = 0;       // Duplicate: the line that has the word already
    char32_t character = 0;  // ControlCharacter, FormatCharacter: the first such
    QString word;            // Duplicate, InList: the word left out
};

struct SResult {
    EFormat format = EFormat::Lines;  // the one read (never Guess)
    std::vector<SEntry> entries;
    std::vector<SProblem> problems;  // in line order
};

SResult Parse(const QByteArray& bytes, EFormat format = EFormat::Guess);
// A word as lists store it and answers are compared: in Unicode's composed form (NFC), so "été"
// typed with composed letters and read from a file with e and U+0301 is one word.
QString Normalized(const QString& word);
// Why the word (trimmed and normalised) cannot be on a list: too long, or a character no pupil
// can type (control or invisible format); its line is 0. Nothing when it may be.
std::optional<SProblem> CheckWord(const QString& word);

// Text a user typed or pasted, read as the same bytes would be.
SResult Parse(const QString& text, EFormat format = EFormat::Guess);
// The format a file's name suggests: CSV for ".csv", else Guess.
EFormat FormatOfName(const QString& fileName);

// Why the line gives no word, as a phrase: "the word is longer than 50 characters".
QString Reason(const SProblem& problem);
// "line 3: the word is longer than 50 characters"
QString Describe(const SProblem& problem);

// The list's words written back as a file of this kind: one word a line, "\n" line ends;
// words that would break a line are skipped (a list never holds them).
QByteArray Write(const QStringList& words);
}  // namespace WordFile
