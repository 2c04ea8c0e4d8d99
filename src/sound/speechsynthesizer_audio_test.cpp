// A list made from a word file with orthex-cli, taken as a test: each word's spoken recording,
// read from the list the way the test page asks a word, must be heard on the speaker.

#include "storage/listdatabase.h"
#include "storage/spellinglistdb.h"
#include "sound/loadedsound.h"
#include "sound/playbackfile.h"
#include "sound/soundplayer.h"
#include "testing/recordingmessagesink.h"
#include "testing/testaudio.h"
#include "testing/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <memory>

namespace {
QString pathFor(const QString& name)
{
    return QDir(CTestEnvironment::Instance().Root()).filePath(name);
}
}  // namespace

class SpeechPlaybackTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CRecordingMessageSink> m_sink;

private Q_SLOTS:
    void initTestCase()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        QVERIFY2(QFileInfo(qEnvironmentVariable("ORTHEX_CLI")).isExecutable(), "ORTHEX_CLI is not set");
        m_sink = std::make_unique<CRecordingMessageSink>();
    }

    void cleanupTestCase() { m_sink.reset(); }

    void importedListPlaysItsWords_data()
    {
        QTest::addColumn<QByteArray>("wordFile");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("words alone, Windows lines")
            << QByteArray("receive\r\n\r\nfriend\r\nbeautiful\r\n") << QStringList{"receive", "friend", "beautiful"};
        QTest::newRow("words with sentences")
            << QByteArray("their\tThey packed their bags.\nweigh\tWeigh the apples.\n") << QStringList{"their", "weigh"};
    }

    void importedListPlaysItsWords()
    {
        QFETCH(QByteArray, wordFile);
        QFETCH(QStringList, words);
        m_sink->Clear();
        const QString list = pathFor(QStringLiteral("imported.orthex"));
        const QString text = pathFor(QStringLiteral("words.txt"));
        QFile::remove(list);
        {
            QFile f(text);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(f.write(wordFile), wordFile.size());
        }
        for (const QStringList& args : {QStringList{"list", "new", list}, QStringList{"list", "import", list, text}}) {
            QProcess cli;
            cli.start(qEnvironmentVariable("ORTHEX_CLI"), args);
            QVERIFY(cli.waitForFinished(120000));
            QVERIFY2(cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0,
                     cli.readAllStandardError().constData());
        }

        CListDatabase db;
        QVERIFY(db.Open(list));
        CSpellingListDB rows(db);
        QVERIFY(rows.Open());
        QCOMPARE(rows.CountRows(), words.size());
        CSoundPlayer player;
        QVERIFY(player.OpenOutputDevice());
        const QString temp = pathFor(QStringLiteral("Temp.wav"));
        for (int k = 1; k <= words.size(); ++k) {
            const std::optional<SWordRow> row = rows.ReadWord(k);
            QVERIFY(row);
            QCOMPARE(row->word, words.at(k - 1));
            QVERIFY(PlaybackFile::Write(temp, row->sound));
            CSpeakerCapture speaker;
            QVERIFY(speaker.Start());
            QTest::qWait(300);
            QVERIFY(player.Load(temp));
            QCOMPARE(player.Play(), SoundResult::Ok());
            QVERIFY(player.GetLoadedSound());
            QVERIFY(player.GetLoadedSound()->WaitUntilDone(20000));
            QTest::qWait(300);
            const QByteArray heard = speaker.Stop();
            QVERIFY2(TestAudio::HasSound(heard), qPrintable(words.at(k - 1) + QStringLiteral(" was not heard")));
            player.Unload();
        }
        QCOMPARE(m_sink->Texts(), QStringList());
    }
};

ORTHEX_TEST_MAIN(SpeechPlaybackTest)
#include "speechsynthesizer_audio_test.moc"
