#include "lists/wordfile.h"
#include "testing/testenvironment.h"

#include <QtTest>

using WordFile::EFormat;
using Kind = WordFile::SProblem::EKind;

namespace {
// "line:word|sentence" for each entry and "line:reason" for each problem: what a user sees.
QStringList entriesOf(const WordFile::SResult& result)
{
    QStringList out;
    for (const WordFile::SEntry& e : result.entries)
        out << QStringLiteral("%1:%2").arg(e.line).arg(e.sentence.isEmpty() ? e.word : e.word + '|' + e.sentence);
    return out;
}

QStringList problemsOf(const WordFile::SResult& result)
{
    QStringList out;
    for (const WordFile::SProblem& p : result.problems)
        out << WordFile::Describe(p);
    return out;
}
}  // namespace

Q_DECLARE_METATYPE(WordFile::EFormat)

class WordFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<EFormat>("format");  // asked for
        QTest::addColumn<EFormat>("read");    // read as
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("problems");
        const QByteArray fiftyOne(51, 'l');
        const QByteArray longSentence = "w\t" + QByteArray(1001, 's');
        QTest::newRow("lines, Windows ends, sentence after a tab")
            << QByteArray("cat\r\ndog\tThe dog barks.\r\nemu") << EFormat::Guess << EFormat::Lines
            << QStringList{"1:cat", "2:dog|The dog barks.", "3:emu"} << QStringList{};
        QTest::newRow("byte-order mark, spaces around, UTF-8")
            << QByteArray("\xEF\xBB\xBF  caf\xC3\xA9  \t  At the caf\xC3\xA9.  \n") << EFormat::Guess << EFormat::Lines
            << QStringList{QStringLiteral("1:café|At the café.")} << QStringList{};
        QTest::newRow("empty, too long, duplicate, no word, not text, control")
            << QByteArray("cat\n\n" + fiftyOne + "\ncat\n\tA sentence.\n\xC3(\nbe\x01" "e\n" + longSentence + "\n")
            << EFormat::Guess << EFormat::Lines << QStringList{"1:cat"}
            << QStringList{"line 2: it is empty", "line 3: the word is longer than 50 characters",
                           "line 4: the word is already on line 1", "line 5: there is no word before the tab",
                           "line 6: it is not UTF-8 text", "line 7: the word holds a control character",
                           "line 8: the sentence is longer than 1000 characters"};
        QTest::newRow("lone CR line ends; CRLF stays one line end")
            << QByteArray("cat\rdog\tThe dog.\r\r\nemu\r\nowl\n\rbee\r") << EFormat::Guess << EFormat::Lines
            << QStringList{"1:cat", "2:dog|The dog.", "4:emu", "5:owl", "7:bee"}
            << QStringList{"line 3: it is empty", "line 6: it is empty"};
        QTest::newRow("CSV with lone CR line ends")
            << QByteArray("cat,\"A cat,\ragain.\"\rdog\r") << EFormat::Guess << EFormat::Csv
            << QStringList{"1:cat|A cat,\nagain.", "3:dog"} << QStringList{};
        // Typed composed, pasted decomposed (e and U+0301): the same word, stored composed.
        QTest::newRow("composed and decomposed are one word")
            << QByteArray("e\xCC\x81t\xC3\xA9\tL'\xC3\xA9te\xCC\x81.\n\xC3\xA9t\xC3\xA9\n") << EFormat::Guess
            << EFormat::Lines << QStringList{QStringLiteral("1:été|L'été.")}
            << QStringList{WordFile::Describe({2, Kind::Duplicate, 1, 0, QStringLiteral("été")})};
        QTest::newRow("invisible format characters")
            << QByteArray("zero\xE2\x80\x8Bwidth\nabc\xE2\x80\xAE\nsoft\xC2\xADhyphen\nplain\n") << EFormat::Guess
            << EFormat::Lines << QStringList{"4:plain"}
            << QStringList{WordFile::Describe({1, Kind::FormatCharacter, 0, 0x200B, {}}),
                           WordFile::Describe({2, Kind::FormatCharacter, 0, 0x202E, {}}),
                           WordFile::Describe({3, Kind::FormatCharacter, 0, 0xAD, {}})};
        QTest::newRow("fifty characters, case counts for duplicates")
            << QByteArray(50, 'f') + "\nPolish\npolish\n" << EFormat::Guess << EFormat::Lines
            << QStringList{"1:" + QString(50, 'f'), "2:Polish", "3:polish"} << QStringList{};
        QTest::newRow("a final line end starts no line") << QByteArray("cat\n") << EFormat::Guess << EFormat::Lines
                                                         << QStringList{"1:cat"} << QStringList{};
        QTest::newRow("empty input") << QByteArray() << EFormat::Guess << EFormat::Lines << QStringList{}
                                     << QStringList{};
        QTest::newRow("CSV guessed from a comma")
            << QByteArray("cat,The cat sat.\ndog\n") << EFormat::Guess << EFormat::Csv
            << QStringList{"1:cat|The cat sat.", "2:dog"} << QStringList{};
        QTest::newRow("CSV: quotes, doubled quotes, comma and line ends inside quotes")
            << QByteArray("\"cat\",\"She said \"\"miaow\"\", twice.\"\r\n\"dog\",\"Line one\r\nline two\"\r\n"
                          " \"emu\" ,x,third column ignored\r\n")
            << EFormat::Guess << EFormat::Csv
            << QStringList{"1:cat|She said \"miaow\", twice.", "2:dog|Line one\nline two", "4:emu|x"} << QStringList{};
        QTest::newRow("CSV: records counted by their first line")
            << QByteArray("a,\"x\ny\nz\"\n,\nb,\na,again\n,only a sentence\n") << EFormat::Csv << EFormat::Csv
            << QStringList{"1:a|x\ny\nz", "5:b"}
            << QStringList{"line 4: it is empty", "line 6: the word is already on line 1",
                           "line 7: there is no word in the first column"};
        QTest::newRow("CSV: a quote never closed")
            << QByteArray("cat\n\"dog,The dog\nbarks.\n") << EFormat::Guess << EFormat::Csv << QStringList{"1:cat"}
            << QStringList{"line 2: a quote opened here is never closed"};
        QTest::newRow("CSV: a line end in a quoted word")
            << QByteArray("\"ca\nt\"\n") << EFormat::Guess << EFormat::Csv << QStringList{}
            << QStringList{"line 1: the word holds a control character"};
        QTest::newRow("a tab wins over commas") << QByteArray("cat\tYes, a cat.\n") << EFormat::Guess << EFormat::Lines
                                                << QStringList{"1:cat|Yes, a cat."} << QStringList{};
        QTest::newRow("lines asked for keep commas and quotes")
            << QByteArray("\"cat\", no\n") << EFormat::Lines << EFormat::Lines << QStringList{"1:\"cat\", no"}
            << QStringList{};
    }

    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(EFormat, format);
        QFETCH(EFormat, read);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, problems);
        const WordFile::SResult result = WordFile::Parse(bytes, format);
        QCOMPARE(result.format, read);
        QCOMPARE(entriesOf(result), entries);
        QCOMPARE(problemsOf(result), problems);
    }

    // What Export writes reads back as the same words.
    void writeReadsBack_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << QStringList{"cat", QStringLiteral("café")} << QByteArray("cat\ncaf\xC3\xA9\n");
        QTest::newRow("comma and quote") << QStringList{"Mr. Smith, Jr.", "say \"hi\"", "dog"}
                                         << QByteArray("\"Mr. Smith, Jr.\"\n\"say \"\"hi\"\"\"\ndog\n");
        QTest::newRow("none") << QStringList{} << QByteArray();
    }

    void writeReadsBack()
    {
        QFETCH(QStringList, words);
        QFETCH(QByteArray, bytes);
        QCOMPARE(WordFile::Write(words), bytes);
        QStringList back;
        for (const WordFile::SEntry& e : WordFile::Parse(bytes).entries)
            back << e.word;
        QCOMPARE(back, words);
    }
};

ORTHEX_TEST_MAIN(WordFileTest)
#include "wordfile_test.moc"
