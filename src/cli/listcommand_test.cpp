#include "base/appsettings.h"
#include "lists/wordfile.h"
#include "lists/wordspeaker.h"
#include "storage/listdatabase.h"
#include "storage/listmessages.h"
#include "storage/spellinglistdb.h"
#include "storage/sqlitedatabase.h"
#include "storage/stagedwords.h"
#include "sound/speechsynthesizer.h"
#include "sound/wavformat.h"
#include "base/boundedfile.h"
#include "testing/recordingmessagesink.h"
#include "testing/testaudio.h"
#include "testing/testcli.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "testing/testlists.h"
#include "testing/testwav.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/resource.h>

#include <csignal>
#include <memory>
#include <numeric>
#include <vector>

#include <sys/stat.h>
#include <QtTest>

namespace {
using Kind = WordFile::SProblem::EKind;
// Ten short words, said in about four seconds.
const QByteArray kCounting = "one two three four five six seven eight nine ten ";
// "été" with e and U+0301, as a list made elsewhere may hold it.
const QList<TestLists::Row> kDecomposedList{
    {1, QStringLiteral("Old"), QStringLiteral("e\u0301te\u0301"), QByteArray(1, '\0')}};

SCliTextRun runCli(const QStringList& args, const QByteArray& input = QByteArray())
{
    return TestCli::Text(TestCli::Run(QStringList{QStringLiteral("list")} + args, input));
}

struct Row {
    int order;
    QString createdBy;
    QString word;
    int soundBytes;  // -1: no sound set
};
// Whether the bytes are a spoken recording: the recording layout (56-byte header, "fact" 0) in
// the default voice's format, with sound in it.
QString spokenProblem(const QByteArray& wav)
{
    const std::optional<CWavLayout> layout = WavHeader::Parse(wav);
    if (!layout)
        return QStringLiteral("not a WAV file");
    if (layout->dataOffset != 56 || wav.mid(36, 4) != "fact" || qFromLittleEndian<quint32>(wav.constData() + 44) != 0)
        return QStringLiteral("not in the layout of a recording");
    if (!(layout->format == CSpeechSynthesizer::Format()))
        return QStringLiteral("not in the default voice's format");
    if (layout->dataSize != wav.size() - 56 || !TestAudio::HasSound(wav.mid(56)))
        return QStringLiteral("silent or cut");
    return QString();
}
}  // namespace

Q_DECLARE_METATYPE(QList<Row>)

class ListCommandTest : public QObject
{
    Q_OBJECT

    QString path(const QString& name) const { return CTestEnvironment::Instance().Root() + QLatin1Char('/') + name; }

private Q_SLOTS:
    void printsTheRowsInCursorOrder_data()
    {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<QString>("table");
        const QString header = QStringLiteral("Order\tCreatedBy\tWord\tSoundBytes\n");
        QTest::newRow("empty list") << QList<Row>{} << header;
        QTest::newRow("ordered, ties in insertion order")
            << QList<Row>{{2, "anna", "dog", 10}, {1, "", "cat", 44}, {2, "ben", "emu", 0}, {3, "anna", "fox", -1}}
            << header + "1\t\tcat\t44\n2\tanna\tdog\t10\n2\tben\temu\t0\n3\tanna\tfox\t0\n";
        QTest::newRow("texts that need escaping")
            << QList<Row>{{1, QStringLiteral("Zoë"), QStringLiteral("tab\there"), 3}, {2, "x", QStringLiteral("back\\slash"), 1}}
            << header + QStringLiteral("1\tZoë\ttab\\there\t3\n2\tx\tback\\\\slash\t1\n");
        QTest::newRow("control bytes")
            << QList<Row>{{1, "x", QStringLiteral("esc\x1B[31m"), 1}, {2, "x", QStringLiteral("nul") + QChar(0), 1}}
            << header + QStringLiteral("1\tx\tesc\\x1b[31m\t1\n2\tx\tnul\\x00\t1\n");
    }

    void printsTheRowsInCursorOrder()
    {
        QFETCH(QList<Row>, rows);
        QFETCH(QString, table);
        const QString file = path(QStringLiteral("print.orthex"));
        QFile::remove(file);
        QVERIFY(CListDatabase::Create(file));
        {
            CListDatabase db;
            QVERIFY(db.Open(file));
            CSpellingListDB list(db);
            QVERIFY(list.Open());
            for (const Row& r : rows) {
                QVERIFY(list.AddNew());
                list.SetOrder(r.order);
                list.SetCreatedBy(r.createdBy);
                list.SetWord(r.word);
                if (r.soundBytes >= 0)
                    list.SetSound(QByteArray(r.soundBytes, 'w'));
                QVERIFY(list.Update());
            }
        }
        const SCliTextRun run = runCli({file});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, table);
    }

    void aFileThatCannotBeOpenedPrintsTheProgramsMessage_data()
    {
        QTest::addColumn<QByteArray>("content");  // "-": no file at all
        QByteArray jet(2048, '\0');
        jet.replace(4, 15, "Standard Jet DB");
        QTest::newRow("missing") << QByteArray("-");
        QTest::newRow("random bytes") << QByteArray("\x01\x02 not a database at all");
        QTest::newRow("old Windows list") << jet;
        QTest::newRow("a pipe without a writer") << QByteArray("FIFO");
    }

    void aFileThatCannotBeOpenedPrintsTheProgramsMessage()
    {
        QFETCH(QByteArray, content);
        const QString file = path(QStringLiteral("bad.orthex"));
        QFile::remove(file);
        if (content == "FIFO") {
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        } else if (content != "-") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        QString expected;
        {
            CRecordingMessageSink sink;
            CListDatabase db;
            QVERIFY(!db.Open(file));
            QCOMPARE(sink.Texts().size(), 1);
            expected = sink.Texts().first();
        }
        const SCliTextRun run = runCli({file});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, expected + QLatin1Char('\n'));
    }

    void newMakesAnEmptyListThatOpens_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");
        QTest::newRow("new file") << "fresh.orthex" << false << 0 << "";
        QTest::newRow("name with spaces") << "Week 3 words.orthex" << false << 0 << "";
        QTest::newRow("file already there") << "taken.orthex" << true << 1
                                            << "orthex-cli list new: \"%1\" already exists; it was left as it is.\n";
        QTest::newRow("folder missing") << "no/such/folder/x.orthex" << false << 1
                                        << "orthex-cli list new: \"%1\" could not be created: The folder \"%2/no/such/folder\" "
                                           "does not exist.\n";
        QTest::newRow("a file for a folder") << "notes.txt/x.orthex" << false << 1
                                             << "orthex-cli list new: \"%1\" could not be created: \"%2/notes.txt\" is not "
                                                "a folder.\n";
    }

    void newMakesAnEmptyListThatOpens()
    {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        const QString file = path(name);
        QFile::remove(file);
        if (exists)
            QVERIFY(TestFiles::Write(file, "someone's notes"));
        QVERIFY(TestFiles::Write(path(QStringLiteral("notes.txt")), "not a folder"));
        const SCliTextRun run = runCli({QStringLiteral("new"), file});
        QCOMPARE(run.err, error.isEmpty() ? QString() : error.arg(file, CTestEnvironment::Instance().Root()));
        QCOMPARE(run.exitCode, exitCode);
        if (exists) {
            QCOMPARE(TestFiles::Read(file), QByteArray("someone's notes"));
        } else if (exitCode == 0) {
            CRecordingMessageSink sink;
            CListDatabase db;
            QVERIFY(db.Open(file));
            CSpellingListDB list(db);
            QVERIFY(list.Open());
            QCOMPARE(list.CountRows(), 0);
            QCOMPARE(sink.Texts(), QStringList());
        } else {
            QVERIFY(!QFile::exists(file));
        }
    }

    // A list is its maker's document: in a folder everyone may write (/tmp, a class share) it
    // gets the mode any new file gets, not the folder's write permission.
    void aNewListInASharedFolderIsNotWritableByOthers()
    {
        QTemporaryDir shared(path(QStringLiteral("sharedXXXXXX")));
        QCOMPARE(::chmod(QFile::encodeName(shared.path()).constData(), 01777), 0);
        const QString file = shared.filePath(QStringLiteral("teacher.orthex"));
        QCOMPARE(runCli({QStringLiteral("new"), file}).exitCode, 0);
        const mode_t mask = ::umask(0);
        ::umask(mask);
        struct stat made {};
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &made), 0);
        QCOMPARE(made.st_mode & 0777, 0666 & ~mask);
    }

    void addAppendsAWordWithItsRecording_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("autoUser");
        QTest::addColumn<QString>("creator");
        QTest::addColumn<int>("kind");  // 0: the given WAV file, 1: spoken word, 2: spoken dictation
        QTest::newRow("WAV file, named creator") << QStringList{"--wav", "@", "--creator", "Anna"} << "" << "Anna" << 0;
        QTest::newRow("WAV file, creator after the options")
            << QStringList{"--creator", "Ben", "--wav", "@"} << "Cleo" << "Ben" << 0;
        QTest::newRow("spoken, automatic user") << QStringList{"--speak"} << "Cleo" << "Cleo" << 1;
        QTest::newRow("spoken by default, nobody") << QStringList{} << "" << "" << 1;
        QTest::newRow("dictation") << QStringList{"--speak", "--sentence", "The cat sat on the mat."} << "" << "" << 2;
        QTest::newRow("sentence alone means spoken") << QStringList{"--sentence", "A cat purrs."} << "" << "" << 2;
        QTest::newRow("empty creator over the automatic user")
            << QStringList{"--speak", "--creator", ""} << "Cleo" << "" << 1;
    }

    void addAppendsAWordWithItsRecording()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, autoUser);
        QFETCH(QString, creator);
        QFETCH(int, kind);
        const QString file = path(QStringLiteral("add.orthex"));
        QFile::remove(file);
        QVERIFY(CListDatabase::Create(file));
        {
            CListDatabase db;
            QVERIFY(db.Open(file));
            CSpellingListDB list(db);
            QVERIFY(list.Open());
            // Gaps in [Order]: the new word still comes after the highest.
            QVERIFY(list.AppendWord(4, QStringLiteral("Old"), QStringLiteral("dog"), "x"));
            QVERIFY(list.AppendWord(2, QStringLiteral("Old"), QStringLiteral("emu"), "y"));
        }
        QVERIFY(CAppSettings().SetAutoLogInName(autoUser));
        const QByteArray recording = TestWav::Pcm16(QByteArray(4000, '\x11'), 22050, 2) + "tail bytes kept";
        const QString wav = path(QStringLiteral("given.wav"));
        QVERIFY(TestFiles::Write(wav, recording));
        options.replaceInStrings(QStringLiteral("@"), wav);

        const SCliTextRun run = runCli(QStringList{QStringLiteral("add"), file, QStringLiteral("cat")} + options);
        QVERIFY(CAppSettings().SetAutoLogInName(QString()));
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("Added \"cat\" as word 5.\n"));
        const QList<TestLists::Row> rows = TestLists::Read(file);
        QCOMPARE(TestLists::Words(rows), (QStringList{"emu", "dog", "cat"}));
        const TestLists::Row& added = rows.last();
        QCOMPARE(added.order, 5);
        QCOMPARE(added.createdBy, creator);
        if (kind == 0) {
            QCOMPARE(added.sound, recording);  // byte for byte
        } else {
            QCOMPARE(spokenProblem(added.sound), QString());
            // A dictation says the word twice around the sentence and two pauses.
            const double seconds = double(added.sound.size() - 56) / CSpeechSynthesizer::Format().nAvgBytesPerSec;
            QVERIFY2(kind == 1 ? seconds < 1.5 : seconds > 2.5, qPrintable(QString::number(seconds)));
        }
    }

    void addRefusesAndLeavesTheListAlone_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("wav");  // written to the file named "@"
        QTest::addColumn<QString>("error");   // %1: the WAV file's path
        const QString fifty = QString(50, QLatin1Char('w'));
        QTest::newRow("word of 51 characters") << fifty + "x" << QStringList{"--speak"} << QByteArray()
                                               << ListMessages::WordTooLong(fifty + "x", 50) + "\n";
        QTest::newRow("empty word") << "" << QStringList{"--speak"} << QByteArray()
                                    << "orthex-cli list add: the word is empty.\n";
        QTest::newRow("creator of 26 characters")
            << "cat" << QStringList{"--creator", QString(26, QLatin1Char('c'))} << QByteArray()
            << ListMessages::CreatorTooLong(QString(26, QLatin1Char('c')), 25) + "\n";
        QTest::newRow("not a WAV file") << "cat" << QStringList{"--wav", "@"} << QByteArray("just text")
                                        << "orthex-cli list add: \"%1\" cannot be a word's recording: it is not a WAV file.\n";
        QTest::newRow("ADPCM") << "cat" << QStringList{"--wav", "@"}
                               << TestWav::File(TestWav::Fmt(2, 1, 22050, 4), QByteArray(400, '\x01'))
                               << "orthex-cli list add: \"%1\" cannot be a word's recording: its sound is not in a "
                                  "PCM format that Orthex can play.\n";
        QTest::newRow("no sound") << "cat" << QStringList{"--wav", "@"} << TestWav::Pcm16(QByteArray(), 22050, 2)
                                  << "orthex-cli list add: \"%1\" cannot be a word's recording: it holds no sound.\n";
        QTest::newRow("WAV file missing") << "cat" << QStringList{"--wav", "@"} << QByteArray("-")
                                          << "orthex-cli list add: \"%1\" could not be read: No such file or directory\n";
        QTest::newRow("WAV a pipe without a writer") << "cat" << QStringList{"--wav", "@"} << QByteArray("FIFO")
                                                     << "orthex-cli list add: \"%1\" could not be read: "
                                                            + BoundedFile::NotRegularText() + "\n";
        QTest::newRow("nothing to say") << "..." << QStringList{"--speak"} << QByteArray()
                                        << "The speech engine made no sound for \"...\".\n";
        const QString invisible = QStringLiteral("zero\u200Bwidth");
        QTest::newRow("an invisible character")
            << invisible << QStringList{"--speak"} << QByteArray()
            << "orthex-cli list add: \"" + invisible + "\" cannot be a word of a list: "
                   + WordFile::Reason({0, Kind::FormatCharacter, 0, 0x200B, {}}) + ".\n";
        QTest::newRow("a control character") << "be\x01e" << QStringList{"--wav", "@"} << QByteArray("-")
                                             << "orthex-cli list add: \"be\x01e\" cannot be a word of a list: "
                                                    + WordFile::Reason({0, Kind::ControlCharacter, 0, 1, {}}) + ".\n";
        QTest::newRow("a sentence spoken for minutes")
            << "cat" << QStringList{"--sentence", QString(900, QLatin1Char('$'))} << QByteArray()
            << CWordSpeaker::TooLongMessage(QStringLiteral("cat")) + "\n";
    }

    void addRefusesAndLeavesTheListAlone()
    {
        QFETCH(QString, word);
        QFETCH(QStringList, options);
        QFETCH(QByteArray, wav);
        QFETCH(QString, error);
        const QString file = path(QStringLiteral("refuse.orthex"));
        QFile::remove(file);
        QVERIFY(CListDatabase::Create(file));
        const QByteArray before = TestFiles::Read(file);
        const QString wavPath = path(QStringLiteral("refused.wav"));
        QFile::remove(wavPath);
        if (wav == "FIFO")
            QCOMPARE(::mkfifo(QFile::encodeName(wavPath).constData(), 0600), 0);
        else if (!wav.isEmpty() && wav != "-")
            QVERIFY(TestFiles::Write(wavPath, wav));
        options.replaceInStrings(QStringLiteral("@"), wavPath);
        const SCliTextRun run = runCli(QStringList{QStringLiteral("add"), file, word} + options);
        QCOMPARE(run.err, error.contains(QLatin1String("%1")) ? error.arg(wavPath) : error);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QCOMPARE(TestFiles::Read(file), before);
    }

    void addToAFileThatIsNotAListSaysWhy()
    {
        const QString file = path(QStringLiteral("missing.orthex"));
        QFile::remove(file);
        QString expected;
        {
            CRecordingMessageSink sink;
            CListDatabase db;
            QVERIFY(!db.Open(file));
            expected = sink.Texts().value(0);
        }
        const SCliTextRun run = runCli({QStringLiteral("add"), file, QStringLiteral("cat")});
        QCOMPARE(run.err, expected + QLatin1Char('\n'));
        QCOMPARE(run.exitCode, 1);
        QVERIFY(!QFile::exists(file));
    }

    // A word the list has (in either Unicode form) is not added again, and saying so is no
    // failure: a script may run the same add twice.
    void addOfAListedWordIsDoneAlready()
    {
        const QString file = path(QStringLiteral("listed.orthex"));
        QFile::remove(file);
        QVERIFY(TestLists::Make(file, kDecomposedList));
        const QByteArray before = TestFiles::Read(file);
        const SCliTextRun run = runCli({"add", file, QStringLiteral("\u00E9t\u00E9"), "--speak"});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, QStringLiteral("\"\u00E9t\u00E9\" is on the list already; it was not added again.\n"));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(TestFiles::Read(file), before);
    }

    void importSpeaksEachLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QList<int>>("dictations");  // indexes of the words said with a sentence
        QTest::addColumn<QString>("err");
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("exitCode");
        const QByteArray fiftyOne(51, 'l');
        QTest::newRow("Unix lines") << QByteArray("cat\ndog\n") << QStringList{"cat", "dog"} << QList<int>{} << ""
                                    << "Added 2 words; skipped 0 lines.\n" << 0;
        QTest::newRow("Windows lines, no final line end")
            << QByteArray("cat\r\ndog\tThe dog barks.\r\nemu") << QStringList{"cat", "dog", "emu"} << QList<int>{1}
            << "" << "Added 3 words; skipped 0 lines.\n" << 0;
        QTest::newRow("blank lines skipped quietly")
            << QByteArray("\n\ncat\r\n   \r\n\t\n\ndog\n\n") << QStringList{"cat", "dog"} << QList<int>{} << ""
            << "Added 2 words; skipped 0 lines.\n" << 0;
        QTest::newRow("over-long and other bad lines told")
            << QByteArray("cat\r\n" + fiftyOne + "\r\n\tA sentence without its word.\r\n\xC3" "(ad\r\nbe\x01" "e\r\n...\r\nfox\r\n")
            << QStringList{"cat", "fox"} << QList<int>{} 
            << "line 2 skipped: the word is longer than 50 characters\n"
               "line 3 skipped: there is no word before the tab\n"
               "line 4 skipped: it is not UTF-8 text\n"
               "line 5 skipped: the word holds a control character\n"
               "The speech engine made no sound for \"...\".\n"
               "line 6 skipped: it could not be spoken\n"
            << "Added 2 words; skipped 5 lines.\n" << 1;
        QTest::newRow("fifty characters is fine") << QByteArray(50, 'f') + "\n" << QStringList{QString(50, 'f')}
                                                  << QList<int>{} << "" << "Added 1 word; skipped 0 lines.\n" << 0;
        QTest::newRow("byte-order mark, spaces around, UTF-8")
            << QByteArray("\xEF\xBB\xBF  caf\xC3\xA9  \t  Coffee at the caf\xC3\xA9" ".  \r\n")
            << QStringList{QStringLiteral("café")} << QList<int>{0} << "" << "Added 1 word; skipped 0 lines.\n" << 0;
        QTest::newRow("CSV, a duplicate named with its line")
            << QByteArray("\"cat\",\"The cat sat, \"\"purring\"\".\"\ndog\ncat\n") << QStringList{"cat", "dog"}
            << QList<int>{0} << "line 3 left out: \"cat\": the word is already on line 1\n"
            << "Added 2 words; skipped 0 lines.\n" << 0;
        QTest::newRow("lone CR line ends") << QByteArray("cat\rdog\r") << QStringList{"cat", "dog"} << QList<int>{}
                                           << "" << "Added 2 words; skipped 0 lines.\n" << 0;
        QTest::newRow("composed and decomposed are one word")
            << QByteArray("e\xCC\x81t\xC3\xA9\n\xC3\xA9t\xC3\xA9\n") << QStringList{QStringLiteral("\u00E9t\u00E9")}
            << QList<int>{} << QStringLiteral("line 2 left out: \"\u00E9t\u00E9\": the word is already on line 1\n")
            << "Added 1 word; skipped 0 lines.\n" << 0;
        QTest::newRow("an invisible character")
            << QByteArray("zero\xE2\x80\x8Bwidth\ncat\n") << QStringList{"cat"} << QList<int>{}
            << "line 1 skipped: " + WordFile::Reason({0, Kind::FormatCharacter, 0, 0x200B, {}}) + "\n"
            << "Added 1 word; skipped 1 line.\n" << 1;
        // Refused before it is spoken, and (a sentence of short words) when it is.
        const QString tooLong = "skipped: " + WordFile::Reason({0, Kind::SpokenTooLong, 0, 0, {}}) + "\n";
        QTest::newRow("sentences spoken for minutes")
            << "cat\t" + QByteArray(900, '$') + "\ndog\t" + kCounting.repeated(19) + "\nemu\n"
            << QStringList{"emu"} << QList<int>{} << "line 1 " + tooLong + "line 2 " + tooLong
            << "Added 1 word; skipped 2 lines.\n" << 1;
        QTest::newRow("empty file") << QByteArray() << QStringList{} << QList<int>{} << ""
                                    << "Added 0 words; skipped 0 lines.\n" << 0;
        QTest::newRow("16 MB, the most a word file holds")
            << (QByteArray(1023, ' ') + '\n').repeated(16 * 1024) << QStringList{} << QList<int>{} << ""
            << "Added 0 words; skipped 0 lines.\n" << 0;
    }

    void importSpeaksEachLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, words);
        QFETCH(QList<int>, dictations);
        QFETCH(QString, err);
        QFETCH(QString, out);
        QFETCH(int, exitCode);
        const QString file = path(QStringLiteral("import.orthex"));
        QFile::remove(file);
        QVERIFY(CListDatabase::Create(file));
        const QString text = path(QStringLiteral("words.txt"));
        QVERIFY(TestFiles::Write(text, content));
        const SCliTextRun run = runCli({QStringLiteral("import"), file, text, QStringLiteral("--creator"), QStringLiteral("Dee")});
        QCOMPARE(run.err, err);
        QCOMPARE(run.out, out);
        QCOMPARE(run.exitCode, exitCode);
        const QList<TestLists::Row> rows = TestLists::Read(file);
        QCOMPARE(TestLists::Words(rows), words);
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].order, i + 1);
            QCOMPARE(rows[i].createdBy, QStringLiteral("Dee"));
            QCOMPARE(spokenProblem(rows[i].sound), QString());
            const qsizetype seconds = (rows[i].sound.size() - 56) / 44100;
            // A dictation holds the word twice, the sentence and two pauses; a short word alone
            // is said in well under two seconds.
            if (dictations.contains(i))
                QVERIFY2(seconds >= 3, qPrintable(rows[i].word));
            else if (rows[i].word.size() <= 10)
                QVERIFY2(seconds < 2, qPrintable(rows[i].word));
        }
    }

    // Importing the same file again adds nothing and succeeds, naming each word left out; a
    // word the list holds in the other Unicode form is the same word.
    void importAgainLeavesOutWhatTheListHas()
    {
        const QString file = path(QStringLiteral("again.orthex"));
        QFile::remove(file);
        QVERIFY(TestLists::Make(file, kDecomposedList));
        const QString text = path(QStringLiteral("again.txt"));
        QVERIFY(TestFiles::Write(text, "cat\n\xC3\xA9t\xC3\xA9\n"));
        const QString leftOut = QStringLiteral("line 2 left out: \"\u00E9t\u00E9\": the list has the word already\n");
        SCliTextRun run = runCli({QStringLiteral("import"), file, text});
        QCOMPARE(run.err, leftOut);
        QCOMPARE(run.out, QStringLiteral("Added 1 word; skipped 0 lines.\n"));
        QCOMPARE(run.exitCode, 0);
        const QByteArray once = TestFiles::Read(file);
        run = runCli({QStringLiteral("import"), file, text});
        QCOMPARE(run.err, "line 1 left out: \"cat\": the list has the word already\n" + leftOut);
        QCOMPARE(run.out, QStringLiteral("Added 0 words; skipped 0 lines.\n"));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(TestFiles::Read(file), once);
        QCOMPARE(TestLists::Words(TestLists::Read(file)), (QStringList{QStringLiteral("e\u0301te\u0301"), "cat"}));
    }

    // Writes failing part way through (a full disk; here a limit on file size, which fails
    // them the same way) leave the list as it was and say so.
    void importOnAFullDiskAddsNothing()
    {
        const QString file = path(QStringLiteral("full.orthex"));
        QFile::remove(file);
        QVERIFY(TestLists::Make(file, TestLists::Numbered({"yak"})));
        const QByteArray before = TestFiles::Read(file);
        const QString text = path(QStringLiteral("full.txt"));
        // Five recordings of about a megabyte each, more than the two the limit lets be kept.
        QByteArray lines;
        for (char word = 'a'; word <= 'e'; ++word)
            lines += word + QByteArray("\t") + kCounting.repeated(9) + '\n';
        QVERIFY(TestFiles::Write(text, lines));
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit limit = old;
        limit.rlim_cur = 2 * 1024 * 1024;
        const sighandler_t previous = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        const SCliTextRun run = runCli({QStringLiteral("import"), file, text});
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
        QVERIFY2(run.err.startsWith(StagedWords::NotKeptMessage(QString())), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(TestFiles::Read(file), before);
    }

    void importReadsStandardInputAndAppendsAfterTheLastWord()
    {
        const QString file = path(QStringLiteral("stdin.orthex"));
        QFile::remove(file);
        QVERIFY(CListDatabase::Create(file));
        {
            CListDatabase db;
            QVERIFY(db.Open(file));
            CSpellingListDB list(db);
            QVERIFY(list.Open());
            QVERIFY(list.AppendWord(7, QStringLiteral("Old"), QStringLiteral("yak"), "z"));
        }
        QVERIFY(CAppSettings().SetAutoLogInName(QStringLiteral("Eve")));
        const SCliTextRun run = runCli({QStringLiteral("import"), file, QStringLiteral("-")}, "owl\nant\n");
        QVERIFY(CAppSettings().SetAutoLogInName(QString()));
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        const QList<TestLists::Row> rows = TestLists::Read(file);
        QCOMPARE(TestLists::Words(rows), (QStringList{"yak", "owl", "ant"}));
        QCOMPARE(rows[1].order, 8);
        QCOMPARE(rows[2].order, 9);
        QCOMPARE(rows[2].createdBy, QStringLiteral("Eve"));
    }

    void importFailuresAddNothing_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("words");  // "-": no word file; "/...": that file instead
        QTest::addColumn<QString>("error");  // %1: the word file
        QTest::newRow("word file missing") << QStringList{} << "-"
                                           << "orthex-cli list import: \"%1\" could not be read: No such file or directory\n";
        QTest::newRow("creator too long") << QStringList{"--creator", QString(26, 'n')} << "cat\n"
                                          << ListMessages::CreatorTooLong(QString(26, 'n'), 25) + "\n";
        QTest::newRow("word file without end") << QStringList{} << "/dev/zero"
                                               << "orthex-cli list import: \"%1\" could not be read: %2\n";
        QTest::newRow("a folder") << QStringList{} << "/" << "orthex-cli list import: \"%1\" could not be read: %2\n";
        QTest::newRow("a pipe without a writer") << QStringList{} << "FIFO"
                                                 << "orthex-cli list import: \"%1\" could not be read: %2\n";
    }

    void importFailuresAddNothing()
    {
        QFETCH(QStringList, extra);
        QFETCH(QString, words);
        QFETCH(QString, error);
        const QString file = path(QStringLiteral("nothing.orthex"));
        QFile::remove(file);
        QVERIFY(CListDatabase::Create(file));
        const QByteArray before = TestFiles::Read(file);
        const bool given = words.startsWith(QLatin1Char('/'));
        const QString text = given ? words : path(QStringLiteral("none.txt"));
        if (!given) {
            QFile::remove(text);
            if (words == QLatin1String("FIFO"))
                QCOMPARE(::mkfifo(QFile::encodeName(text).constData(), 0600), 0);
            else if (words != QLatin1String("-"))
                QVERIFY(TestFiles::Write(text, words.toUtf8()));
        }
        QFile probe;
        QString reason;  // why it cannot be read
        BoundedFile::Open(probe, text, &reason);
        const SCliTextRun run = runCli(QStringList{QStringLiteral("import"), file, text} + extra);
        QCOMPARE(run.err, error.contains(QLatin1String("%1")) ? error.arg(text, reason) : error);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(TestFiles::Read(file), before);
    }

    // Reading a list writes nothing to it: not the journal mode of a list made by another
    // program, nor the undoing of a change that was cut off part way.
    void printingLeavesTheFileAlone_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("rollback journal") << "delete" << 0;
        QTest::newRow("write-ahead log") << "wal" << 0;
        QTest::newRow("a change cut off part way") << "cut off" << 1;
    }

    void printingLeavesTheFileAlone()
    {
        QFETCH(QString, state);
        QFETCH(int, exitCode);
        const QString source = path(QStringLiteral("source.orthex"));
        const QString file = path(QStringLiteral("alone.orthex"));
        for (const QString& name : {source, file})
            for (const char* suffix : {"", "-journal", "-wal", "-shm"})
                QFile::remove(name + QLatin1String(suffix));
        QVERIFY(CListDatabase::Create(source));
        CSqliteDatabase db;
        QVERIFY(db.Open(source, CSqliteDatabase::Mode::ReadWrite));
        QVERIFY(db.Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40) "
                           "INSERT INTO tblList SELECT i, 'Ann', 'word' || i, zeroblob(4000) FROM n"));
        if (state == QLatin1String("wal"))
            QVERIFY(db.Execute("PRAGMA journal_mode=WAL"));
        db.Close();
        QVERIFY(QFile::copy(source, file));
        if (state == QLatin1String("cut off")) {
            // A change that has reached the file before its commit, as the copy sees it: the file
            // and its journal as they are in the middle of the transaction.
            QVERIFY(db.Open(source, CSqliteDatabase::Mode::ReadWrite));
            QVERIFY(db.Execute("PRAGMA cache_size=1") && db.Execute("BEGIN IMMEDIATE")
                    && db.Execute("UPDATE tblList SET Sound = zeroblob(5000)"));
            QFile::remove(file);
            QVERIFY(QFile::copy(source, file));
            QVERIFY(QFile::copy(source + QStringLiteral("-journal"), file + QStringLiteral("-journal")));
            db.Close();
        }
        const QDateTime stamp(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly) && f.setFileTime(stamp, QFileDevice::FileModificationTime));
        }
        const QByteArray before = TestFiles::Read(file);

        const SCliTextRun run = runCli({file});
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode == 0)
            QCOMPARE(run.out.count(QLatin1Char('\n')), 41);
        else
            QVERIFY2(run.err.contains(QLatin1String("cut off part way")), qPrintable(run.err));
        QVERIFY(TestFiles::Read(file) == before);
        QCOMPARE(QFileInfo(file).lastModified().toUTC(), stamp);
    }

    // Copies of orthex-cli adding to one list at once: every word gets a number of its own, and
    // each copy's words stay together in their order.
    void concurrentWritersNumberEveryWordOnce_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("writers");
        QTest::addColumn<int>("wordsEach");
        QTest::newRow("ten list add") << "add" << 10 << 1;
        QTest::newRow("two list import") << "import" << 2 << 4;
    }

    void concurrentWritersNumberEveryWordOnce()
    {
        QFETCH(QString, form);
        QFETCH(int, writers);
        QFETCH(int, wordsEach);
        const QString file = path(QStringLiteral("shared.orthex"));
        QFile::remove(file);
        QVERIFY(CListDatabase::Create(file));
        const QString wav = path(QStringLiteral("shared.wav"));
        QVERIFY(TestFiles::Write(wav, TestWav::Pcm16(QByteArray(2000, '\x22'))));
        const QStringList names{"alpha", "bravo", "charlie", "delta", "echo", "foxtrot", "golf", "hotel", "india", "juliet"};
        QList<QStringList> wordsOfWriter;
        std::vector<std::unique_ptr<QProcess>> processes;
        for (int w = 0; w < writers; ++w) {
            QStringList words;
            for (int i = 1; i <= wordsEach; ++i)
                words << names.at(w) + QString::number(i);
            wordsOfWriter << words;
            QStringList args{form, file};
            if (form == QLatin1String("add")) {
                args << words.first() << QStringLiteral("--wav") << wav;
            } else {
                const QString text = path(QStringLiteral("writer%1.txt").arg(w));
                QVERIFY(TestFiles::Write(text, words.join(QLatin1Char('\n')).toUtf8()));
                args << text;
            }
            processes.push_back(std::make_unique<QProcess>());
            TestCli::Start(*processes.back(), QStringList{QStringLiteral("list")} + args);
        }
        for (const auto& process : processes) {
            const SCliTextRun run = TestCli::Text(TestCli::Finish(*process));
            QCOMPARE(run.err, QString());
            QCOMPARE(run.exitCode, 0);
        }
        const QList<TestLists::Row> rows = TestLists::Read(file);
        const QStringList stored = TestLists::Words(rows);
        QList<qint64> expected(writers * wordsEach);
        std::iota(expected.begin(), expected.end(), 1);
        QCOMPARE(TestLists::Orders(rows), expected);
        for (const QStringList& words : wordsOfWriter) {
            const qsizetype first = stored.indexOf(words.first());
            QVERIFY(first >= 0);
            QCOMPARE(stored.mid(first, words.size()), words);
        }
    }

    void noNumberPastTheLargestInt_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<qint64>("highest");
        QTest::addColumn<QString>("out");  // empty: refused after the last number
        QTest::newRow("add, one number left") << "add" << qint64(2147483646)
                                              << "Added \"cat\" as word 2147483647.\n";
        QTest::newRow("add after the largest") << "add" << qint64(2147483647) << "";
        QTest::newRow("add after a 64-bit number") << "add" << (qint64(1) << 40) << "";
        QTest::newRow("add after negative numbers") << "add" << qint64(-7) << "Added \"cat\" as word 1.\n";
        QTest::newRow("import of two words, one number left") << "import" << qint64(2147483646) << "";
    }

    void noNumberPastTheLargestInt()
    {
        QFETCH(QString, form);
        QFETCH(qint64, highest);
        QFETCH(QString, out);
        const QString file = path(QStringLiteral("numbers.orthex"));
        QFile::remove(file);
        QVERIFY(TestLists::Make(file, {{highest, QStringLiteral("Old"), QStringLiteral("yak"), QByteArray(1, '\0')}}));
        const QByteArray before = TestFiles::Read(file);
        const QString wav = path(QStringLiteral("numbers.wav"));
        QVERIFY(TestFiles::Write(wav, TestWav::Pcm16(QByteArray(2000, '\x22'))));
        const QString text = path(QStringLiteral("numbers.txt"));
        QVERIFY(TestFiles::Write(text, "cat\ndog\n"));
        const SCliTextRun run = runCli(form == QLatin1String("add") ? QStringList{"add", file, "cat", "--wav", wav}
                                                           : QStringList{"import", file, text});
        QCOMPARE(run.out, out);
        if (out.isEmpty()) {
            const qint64 last = qMax<qint64>(highest, 2147483647);
            QCOMPARE(run.err, ListMessages::CannotChange(file, ListMessages::NoOrderAfter(last)) + "\n");
            QCOMPARE(run.exitCode, 1);
            QCOMPARE(TestFiles::Read(file), before);
        } else {
            QCOMPARE(run.err, QString());
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(TestLists::Words(TestLists::Read(file)).last(), QStringLiteral("cat"));
        }
    }

    void subFormUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("usage");
        const QString add = "list add FILE.orthex WORD [--wav F | --speak [--sentence S]] [--creator NAME]";
        const QString import = "list import FILE.orthex WORDS.txt [--creator NAME]";
        QTest::newRow("new without a file") << QStringList{"new"} << "list new FILE.orthex";
        QTest::newRow("new with two files") << QStringList{"new", "a.orthex", "b.orthex"} << "list new FILE.orthex";
        QTest::newRow("add without a word") << QStringList{"add", "a.orthex"} << add;
        QTest::newRow("add with two words") << QStringList{"add", "a.orthex", "cat", "dog"} << add;
        QTest::newRow("add --wav and --speak") << QStringList{"add", "a.orthex", "cat", "--wav", "x.wav", "--speak"} << add;
        QTest::newRow("add --wav and --sentence")
            << QStringList{"add", "a.orthex", "cat", "--sentence", "S", "--wav", "x.wav"} << add;
        QTest::newRow("add --wav without its file") << QStringList{"add", "a.orthex", "cat", "--wav"} << add;
        QTest::newRow("add, option twice") << QStringList{"add", "a.orthex", "cat", "--speak", "--speak"} << add;
        QTest::newRow("add, unknown option") << QStringList{"add", "a.orthex", "cat", "--loud"} << add;
        QTest::newRow("import without a word file") << QStringList{"import", "a.orthex"} << import;
        QTest::newRow("import --speak") << QStringList{"import", "a.orthex", "w.txt", "--speak"} << import;
    }

    void subFormUsage()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, usage);
        const SCliTextRun run = runCli(args);
        QCOMPARE(run.err, "usage: orthex-cli " + usage + "\n");
        QCOMPARE(run.exitCode, 2);
        QVERIFY(!QFile::exists(QStringLiteral("a.orthex")));
    }

    void wrongArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("two files") << QStringList{"a.orthex", "b.orthex"};
        QTest::newRow("empty name") << QStringList{""};
    }

    void wrongArguments()
    {
        QFETCH(QStringList, args);
        const SCliTextRun run = runCli(args);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.err, QStringLiteral("usage: orthex-cli list FILE.orthex\n"));
    }
};

ORTHEX_TEST_MAIN(ListCommandTest)
#include "listcommand_test.moc"
