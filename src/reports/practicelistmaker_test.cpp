#include "reports/practicelistmaker.h"

#include "base/appsettings.h"
#include "storage/listmessages.h"
#include "document/orthexdoc.h"
#include "sound/speechsynthesizer.h"
#include "sound/wavformat.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "testing/testlists.h"
#include "testing/testwav.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

namespace {
// The layout of a word spoken for a list: a recording's 56-byte header, the default voice's
// format, and sound that is not silence.
bool isSpokenRecording(const QByteArray& bytes)
{
    const std::optional<CWavLayout> layout = WavHeader::Parse(bytes);
    if (!layout || layout->dataOffset != WavHeader::kRecordingHeaderSize || layout->dataSize < 2000
        || !(layout->format == CSpeechSynthesizer::Format()))
        return false;
    const QByteArray data = bytes.mid(layout->dataOffset);
    return data.count('\0') < data.size() * 9 / 10;
}

bool speechWorks()
{
    return CSpeechSynthesizer::Format().nSamplesPerSec != 0;
}

// A fresh folder for one test, with a save folder and another folder for recent files.
struct SFolders {
    QString root;
    QString save;
    QString other;
};

SFolders freshFolders()
{
    static int count = 0;
    SFolders folders;
    folders.root = QDir(CTestEnvironment::Instance().Root()).filePath(QStringLiteral("maker%1").arg(++count));
    folders.save = folders.root + QStringLiteral("/Save");
    folders.other = folders.root + QStringLiteral("/Other");
    QDir().mkpath(folders.save);
    QDir().mkpath(folders.other);
    return folders;
}

SPracticeSource row(const char* word, const char* list)
{
    return {QString::fromUtf8(word), QString::fromUtf8(list)};
}

// A word the list should hold, and whose recording it should have.
struct SExpectedWord {
    QString word;
    QString copiedFrom;  // the source recording, "Week 1:said" etc.; empty: spoken
};
}  // namespace

Q_DECLARE_METATYPE(SExpectedWord)

class PracticeListMakerTest : public QObject
{
    Q_OBJECT

    // The source lists every row of fromRows can name: Week 1 and Week 2 in the save folder,
    // Week 3 only in another folder known from the recent files.
    QHash<QString, QByteArray> m_recordings;  // "Week 1:said" -> bytes

    QStringList makeSources(const SFolders& folders)
    {
        auto sound = [&](const QString& key) {
            if (!m_recordings.contains(key))
                m_recordings.insert(key, TestWav::Recording(int(m_recordings.size()) + 1));
            return m_recordings.value(key);
        };
        auto makeList = [](const QString& path, const QList<QPair<QString, QByteArray>>& words) {
            TestLists::Make(path, TestLists::WithSounds(words, QStringLiteral("Teacher")));
        };
        makeList(folders.save + QStringLiteral("/Week 1.orthex"),
                 {{"said", sound("Week 1:said")}, {"because", sound("Week 1:because")},
                  {"friend", sound("Week 1:friend")}, {"said", sound("Week 1:said again")},
                  {"silent", QByteArray()}});
        makeList(folders.save + QStringLiteral("/Week 2.orthex"),
                 {{"Paris", sound("Week 2:Paris")}, {"paris", sound("Week 2:paris")},
                  {"broken", QByteArray("RIFF not a wave")}});
        makeList(folders.other + QStringLiteral("/Week 3.orthex"), {{"island", sound("Week 3:island")}});
        // A file of a list's name that is not a list.
        QFile notAList(folders.save + QStringLiteral("/Notes.orthex"));
        notAList.open(QIODevice::WriteOnly);
        notAList.write("these are notes, not a list");
        return {folders.other + QStringLiteral("/Week 3.orthex")};
    }

private Q_SLOTS:
    void fromRows_data()
    {
        QTest::addColumn<PracticeSources>("sources");
        QTest::addColumn<QList<SExpectedWord>>("expected");
        QTest::addColumn<int>("skipped");

        using W = SExpectedWord;
        QTest::newRow("all rows of a report")
            << PracticeSources{row("said", "Week 1.orthex"), row("because", "Week 1.orthex"),
                               row("friend", "Week 1.orthex")}
            << QList<W>{{"said", "Week 1:said"}, {"because", "Week 1:because"}, {"friend", "Week 1:friend"}} << 0;
        QTest::newRow("selected rows") << PracticeSources{row("friend", "Week 1.orthex"), row("said", "Week 1.orthex")}
                                       << QList<W>{{"friend", "Week 1:friend"}, {"said", "Week 1:said"}} << 0;
        QTest::newRow("duplicates once, first place kept")
            << PracticeSources{row("because", "Week 1.orthex"), row("said", "Week 1.orthex"),
                               row("because", "Week 1.orthex"), row("said", "Week 2.orthex")}
            << QList<W>{{"because", "Week 1:because"}, {"said", "Week 1:said"}} << 0;

        QTest::newRow("case tells words and recordings apart")
            << PracticeSources{row("paris", "Week 2.orthex"), row("Paris", "Week 2.orthex")}
            << QList<W>{{"paris", "Week 2:paris"}, {"Paris", "Week 2:Paris"}} << 0;
        QTest::newRow("list name of a repeated test") << PracticeSources{row("because", "Week 1.orthex--Repeat")}
                                                      << QList<W>{{"because", "Week 1:because"}} << 0;

        QTest::newRow("list found among the recent files")
            << PracticeSources{row("island", "Week 3.orthex")} << QList<W>{{"island", "Week 3:island"}} << 0;
        QTest::newRow("list gone: spoken") << PracticeSources{row("ocean", "Gone.orthex")} << QList<W>{{"ocean", ""}}
                                           << 0;
        QTest::newRow("word no longer in its list: spoken")
            << PracticeSources{row("island", "Week 1.orthex")} << QList<W>{{"island", ""}} << 0;
        QTest::newRow("a later row's list makes up for a gone one")
            << PracticeSources{row("said", "Gone.orthex"), row("said", "Week 1.orthex")}
            << QList<W>{{"said", "Week 1:said"}} << 0;
        QTest::newRow("empty recording: spoken, not silent")
            << PracticeSources{row("silent", "Week 1.orthex")} << QList<W>{{"silent", ""}} << 0;
        QTest::newRow("recording that cannot be played: spoken")
            << PracticeSources{row("broken", "Week 2.orthex")} << QList<W>{{"broken", ""}} << 0;
        QTest::newRow("a file that is not a list: spoken")
            << PracticeSources{row("notes", "Notes.orthex")} << QList<W>{{"notes", ""}} << 0;

        QTest::newRow("copied and spoken together")
            << PracticeSources{row("said", "Week 1.orthex"), row("ocean", "Gone.orthex"),
                               row("island", "Week 3.orthex--Stopped Test")}
            << QList<W>{{"said", "Week 1:said"}, {"ocean", ""}, {"island", "Week 3:island"}} << 0;
        QTest::newRow("too long: left out and counted")
            << PracticeSources{{QString(51, QLatin1Char('x')), "Week 1.orthex"}, row("said", "Week 1.orthex")}
            << QList<W>{{"said", "Week 1:said"}} << 1;
    }

    void fromRows()
    {
        QFETCH(PracticeSources, sources);
        QFETCH(QList<SExpectedWord>, expected);
        QFETCH(int, skipped);
        const bool speaks = std::any_of(expected.cbegin(), expected.cend(), [](const SExpectedWord& w) {
            return w.copiedFrom.isEmpty();
        });
        if (speaks && !speechWorks())
            QSKIP("the default voice does not start here (is libflite1 installed?)");

        CRecordingMessageSink sink;
        const SFolders folders = freshFolders();
        const QStringList recent = makeSources(folders);
        const QString target = folders.save + QStringLiteral("/Practice.orthex");

        CPracticeListMaker maker(folders.save, recent);
        const CPracticeListMaker::SResult result = maker.Make(sources, target, QStringLiteral("Pupil"));
        QCOMPARE(sink.Texts(), QStringList{});
        QCOMPARE(result.outcome, CPracticeListMaker::Outcome::Made);

        const QList<TestLists::Row> rows = TestLists::Read(target);
        QCOMPARE(rows.size(), expected.size());
        int copied = 0;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].word, expected[i].word);
            QCOMPARE(rows[i].order, int(i + 1));
            QCOMPARE(rows[i].createdBy, QStringLiteral("Pupil"));
            if (expected[i].copiedFrom.isEmpty()) {
                QVERIFY2(isSpokenRecording(rows[i].sound), qPrintable(rows[i].word));
            } else {
                ++copied;
                QVERIFY2(rows[i].sound == m_recordings.value(expected[i].copiedFrom), qPrintable(rows[i].word));
            }
        }
        QCOMPARE(result.counts.copied, copied);
        QCOMPARE(result.counts.spoken, int(expected.size()) - copied);
        QCOMPARE(result.counts.skipped, skipped);
        // Only the finished list is left beside the sources: no part-made file, no journal.
        QCOMPARE(TestFiles::FilesIn(folders.save),
                 (QStringList{"Notes.orthex", "Practice.orthex", "Week 1.orthex", "Week 2.orthex"}));
    }

    // Each source list is opened once however many words come from it, and one that is not
    // needed is not opened at all.
    void eachSourceOpenedOnce()
    {
        CRecordingMessageSink sink;
        const SFolders folders = freshFolders();
        const QStringList recent = makeSources(folders);
        CPracticeListMaker maker(folders.save, recent);
        const auto result = maker.Make({row("said", "Week 1.orthex"), row("because", "Week 1.orthex--Repeat"),
                                        row("friend", "Week 1.orthex"), row("Paris", "Week 2.orthex")},
                                       folders.save + QStringLiteral("/Practice.orthex"), QStringLiteral("Pupil"));
        QCOMPARE(result.outcome, CPracticeListMaker::Outcome::Made);
        QCOMPARE(result.counts.copied, 4);
        QCOMPARE(maker.OpenListCount(), 2);
    }

    // The pupil may have the list open in the program while the practice list is made from it.
    void sourceOpenInTheDocument()
    {
        CRecordingMessageSink sink;
        const SFolders folders = freshFolders();
        const QStringList recent = makeSources(folders);
        COrthexDoc document;
        QVERIFY(document.OpenList(folders.save + QStringLiteral("/Week 1.orthex")));
        const QString target = folders.save + QStringLiteral("/Practice.orthex");
        const auto result =
            CPracticeListMaker(folders.save, recent).Make({row("because", "Week 1.orthex")}, target, "Pupil");
        QCOMPARE(result.outcome, CPracticeListMaker::Outcome::Made);
        QCOMPARE(TestLists::Read(target).value(0).sound, m_recordings.value("Week 1:because"));
        QCOMPARE(document.GetWordCount(), 5);
        QCOMPARE(sink.Texts(), QStringList{});
    }

    // Spoken words take the voice and rate of the options.
    void spokenWithTheSettingsRate()
    {
        if (!speechWorks())
            QSKIP("the default voice does not start here (is libflite1 installed?)");
        CRecordingMessageSink sink;
        const SFolders folders = freshFolders();
        CAppSettings settings;
        auto spokenSize = [&](int rate, const QString& name) {
            settings.SetSpeechRate(rate);
            const QString target = folders.save + QLatin1Char('/') + name;
            CPracticeListMaker(folders.save, {}).Make({row("necessary", "Gone.orthex")}, target, "Pupil");
            return TestLists::Read(target).value(0).sound.size();
        };
        const qsizetype slow = spokenSize(CSpeechSynthesizer::kMinRate, QStringLiteral("Slow.orthex"));
        const qsizetype fast = spokenSize(CSpeechSynthesizer::kMaxRate, QStringLiteral("Fast.orthex"));
        settings.SetSpeechRate(CSpeechSynthesizer::kDefaultRate);
        QVERIFY2(slow > fast * 2, qPrintable(QStringLiteral("slow %1, fast %2").arg(slow).arg(fast)));
        QCOMPARE(sink.Texts(), QStringList{});
    }

    // A word that cannot be spoken stops the list before it is put in place: never half a list.
    void wordNotSpokenLeavesNoList()
    {
        if (!speechWorks())
            QSKIP("the default voice does not start here (is libflite1 installed?)");
        CRecordingMessageSink sink;
        const SFolders folders = freshFolders();
        const QStringList recent = makeSources(folders);
        const QStringList before = TestFiles::FilesIn(folders.save);
        CAppSettings settings;
        settings.SetVoice(QStringLiteral("no-such/voice"));
        const auto result = CPracticeListMaker(folders.save, recent)
                                .Make({row("said", "Week 1.orthex"), row("ocean", "Gone.orthex")},
                                      folders.save + QStringLiteral("/Practice.orthex"), "Pupil");
        settings.SetVoice(QString());
        QCOMPARE(result.outcome, CPracticeListMaker::Outcome::Failed);
        QVERIFY(!sink.Texts().isEmpty());
        QCOMPARE(sink.Texts().constLast(),
                 QStringLiteral("No practice list was made, because the word \"ocean\" could not be spoken."));
        QCOMPARE(TestFiles::FilesIn(folders.save), before);
    }

    void summary_data()
    {
        QTest::addColumn<int>("copied");
        QTest::addColumn<int>("spoken");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<QString>("text");
        QTest::newRow("example") << 3 << 2 << 0
                                 << "The practice list has 5 words: 3 recordings copied from their lists, 2 spoken.";

        QTest::newRow("several left out")
            << 0 << 12 << 3
            << "The practice list has 12 words: 0 recordings copied from their lists, 12 spoken.\n\n3 words were "
               "left out: they are longer than 50 characters, the most a spelling word can have.";
    }

    void summary()
    {
        QFETCH(int, copied);
        QFETCH(int, spoken);
        QFETCH(int, skipped);
        QFETCH(QString, text);
        QCOMPARE(PracticeListMessages::Summary({copied, spoken, skipped}, 50), text);
    }

    // Nothing is made, nothing is left, and the user is told why.
    void notMade_data()
    {
        QTest::addColumn<QString>("target");  // "<save>" and "<root>" stand for the folders
        QTest::addColumn<PracticeSources>("sources");
        QTest::addColumn<QString>("creator");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("message");

        const PracticeSources said{row("said", "Week 1.orthex")};
        const int failed = int(CPracticeListMaker::Outcome::Failed);
        QTest::newRow("folder does not exist")
            << "<root>/Missing/Practice.orthex" << said << "Pupil" << failed
            << "The practice list \"<root>/Missing/Practice.orthex\" could not be made:\n"
               "The folder \"<root>/Missing\" does not exist.";
        QTest::newRow("folder is a file")
            << "<save>/Week 1.orthex/Practice.orthex" << said << "Pupil" << failed
            << "The practice list \"<save>/Week 1.orthex/Practice.orthex\" could not be made:\n"
               "\"<save>/Week 1.orthex\" is not a folder.";
        QTest::newRow("an existing list is left as it is")
            << "<save>/Week 2.orthex" << said << "Pupil" << int(CPracticeListMaker::Outcome::AlreadyExists)
            << "The spelling list \"<save>/Week 2.orthex\" already exists, and it was left as it is. Please "
               "choose another name for the practice list.";
        QTest::newRow("no name typed") << "" << said << "Pupil" << int(CPracticeListMaker::Outcome::NoName)
                                       << "Please type a name for the practice list.";
        QTest::newRow("name typed and erased")
            << "<save>/.orthex" << said << "Pupil" << int(CPracticeListMaker::Outcome::NoName)
            << "Please type a name for the practice list.";
        QTest::newRow("no words") << "<save>/Practice.orthex" << PracticeSources{row("", "Week 1.orthex")}
                                  << "Pupil" << failed
                                  << "There are no words to practise here, so no practice list was made.";
        QTest::newRow("every word too long")
            << "<save>/Practice.orthex" << PracticeSources{{QString(51, QLatin1Char('x')), "Week 1.orthex"}}
            << "Pupil" << failed
            << "None of these words can go into a spelling list: a spelling word can have at most 50 "
               "characters. No practice list was made.";
        QTest::newRow("creator name too long")
            << "<save>/Practice.orthex" << said << QString(26, QLatin1Char('p')) << failed
            << ListMessages::CreatorTooLong(QString(26, QLatin1Char('p')), 25);
    }

    void notMade()
    {
        QFETCH(QString, target);
        QFETCH(PracticeSources, sources);
        QFETCH(QString, creator);
        QFETCH(int, outcome);
        QFETCH(QString, message);

        CRecordingMessageSink sink;
        const SFolders folders = freshFolders();
        const QStringList recent = makeSources(folders);
        target.replace(QLatin1String("<save>"), folders.save).replace(QLatin1String("<root>"), folders.root);
        message.replace(QLatin1String("<save>"), folders.save).replace(QLatin1String("<root>"), folders.root);
        const QStringList before = TestFiles::FilesIn(folders.save);
        QFile week2(folders.save + QStringLiteral("/Week 2.orthex"));
        QVERIFY(week2.open(QIODevice::ReadOnly));
        const QByteArray week2Bytes = week2.readAll();
        week2.close();

        const auto result = CPracticeListMaker(folders.save, recent).Make(sources, target, creator);
        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(sink.Texts(), QStringList{message});
        QCOMPARE(TestFiles::FilesIn(folders.save), before);
        QCOMPARE(QDir(folders.root).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"Other", "Save"}));
        QVERIFY(week2.open(QIODevice::ReadOnly));
        QCOMPARE(week2.readAll(), week2Bytes);
    }
};

ORTHEX_TEST_MAIN(PracticeListMakerTest)
#include "practicelistmaker_test.moc"
