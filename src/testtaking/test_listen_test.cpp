#include "testtaking/test.h"

#include "base/appsettings.h"
#include "sound/loadedsound.h"
#include "sound/soundplayer.h"
#include "testing/testsupport.h"
#include "testing/recordingmessagesink.h"
#include "testing/testaudio.h"
#include "testing/testenvironment.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace TestSupport;

namespace {
class CNoCommands : public IPageCommandTarget
{
public:
    void PostPageCommand(PageCommand) override {}
};
}  // namespace

// Listening on the test page, heard on the test audio server's "Speaker" sink.
class TestListenTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<CRecordingMessageSink> m_sink;
    QByteArray m_apple;
    QByteArray m_pear;

    // Presses Listen and returns what reached the speaker.
    static QByteArray listen(CTest& page)
    {
        CSpeakerCapture speaker;
        if (!speaker.Start())
            return {};
        QTest::qWait(300);
        QTest::mouseClick(page.ListenButton(), Qt::LeftButton);
        if (CLoadedSound* sound = page.Player().GetLoadedSound())
            sound->WaitUntilDone(20000);
        QTest::qWait(300);
        return speaker.Stop();
    }

private Q_SLOTS:
    void initTestCase()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        QString error;
        m_apple = TestAudio::Speech(QStringLiteral("apple"), 22050, 1, &error);
        QVERIFY2(!m_apple.isEmpty(), qPrintable(error));
        m_pear = TestAudio::Speech(QStringLiteral("pear"), 22050, 1, &error);
        QVERIFY2(!m_pear.isEmpty(), qPrintable(error));
        m_sink = std::make_unique<CRecordingMessageSink>();
    }
    void cleanupTestCase() { m_sink.reset(); }

    // With "AutoPlay" on, Start and Next each play the word they ask; off, nothing plays until
    // "Listen to Word". The end of the test plays nothing either way.
    void autoPlay_data()
    {
        QTest::addColumn<int>("autoPlay");
        QTest::newRow("on") << 1;
        QTest::newRow("off") << 0;
    }

    void autoPlay()
    {
        QFETCH(int, autoPlay);
        const QString path = MakeList(QStringLiteral("Auto.orthex"), {QStringLiteral("apple"), QStringLiteral("pear")},
                                      {TestWav::Pcm16(m_apple), TestWav::Pcm16(m_pear)});
        QVERIFY(!path.isEmpty());
        auto doc = MakeDocument(QStringLiteral("pupil"), path);
        CNoCommands commands;
        CAppSettings settings;
        QVERIFY(settings.SetAutoPlay(autoPlay));
        {
            CTest page(*doc, commands, settings);
            page.show();
            page.OnInitialUpdate();
            page.Session().SetRecordingFolder(NewFolder(QStringLiteral("auto-recordings")));
            m_sink->Clear();

            // What one press makes reach the speaker, and whether it loaded a sound.
            const auto heard = [&](QPushButton* button, bool* played) {
                CSpeakerCapture speaker;
                if (!speaker.Start())
                    return QByteArray();
                QTest::qWait(300);
                QTest::mouseClick(button, Qt::LeftButton);
                *played = page.Player().GetLoadedSound() != nullptr;
                if (*played)
                    page.Player().GetLoadedSound()->WaitUntilDone(20000);
                QTest::qWait(300);
                return speaker.Stop();
            };
            bool played = false;
            QVERIFY(TestAudio::HasSound(heard(page.StartButton(), &played)) == bool(autoPlay));
            QCOMPARE(played, bool(autoPlay));
            // As if Listen had been pressed: the pupil goes on in the answer field.
            QCOMPARE(page.AnswerField()->hasFocus(), bool(autoPlay));
            // The hint follows: the word was played, type it.
            QCOMPARE(page.MessageField()->toPlainText().startsWith(QStringLiteral("Word played.\nType it")),
                     bool(autoPlay));
            if (!autoPlay)
                QVERIFY2(TestAudio::HasSound(listen(page)), "Listen to Word played nothing");

            QTest::mouseClick(page.SkipButton(), Qt::LeftButton);
            QVERIFY(TestAudio::HasSound(heard(page.NextButton(), &played)) == bool(autoPlay));
            QCOMPARE(played, bool(autoPlay));
            // Listen still plays the word again.
            QVERIFY2(TestAudio::HasSound(listen(page)), "Listen to Word played nothing");

            // The last Next ends the test: no word is asked, so none plays.
            QTest::mouseClick(page.SkipButton(), Qt::LeftButton);
            QVERIFY(!TestAudio::HasSound(heard(page.NextButton(), &played)));
            QVERIFY(!played);
            QVERIFY(!doc->IsTestRunning());
            QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
        }
    }

    void wordsReachTheSpeaker()
    {
        const QString path = MakeList(QStringLiteral("Spoken.orthex"), {QStringLiteral("apple"), QStringLiteral("pear")},
                                      {TestWav::Pcm16(m_apple), TestWav::Pcm16(m_pear)});
        QVERIFY(!path.isEmpty());
        auto doc = MakeDocument(QStringLiteral("pupil"), path);
        CNoCommands commands;
        CAppSettings settings;
        QVERIFY(settings.SetAutoPlay(0));  // the words play only when Listen is pressed
        {
            CTest page(*doc, commands, settings);
            page.show();
            page.OnInitialUpdate();
            page.Session().SetRecordingFolder(NewFolder(QStringLiteral("recordings")));
            QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));

            QTest::mouseClick(page.StartButton(), Qt::LeftButton);
            const QByteArray first = listen(page);
            QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
            QVERIFY2(TestAudio::HasSound(first), "the first word did not reach the speaker");

            // Next lets go of the loaded sound before the next word's recording is written.
            page.AnswerField()->setFocus();
            QTest::mouseClick(page.SkipButton(), Qt::LeftButton);
            QVERIFY(page.Player().GetLoadedSound());
            QTest::mouseClick(page.NextButton(), Qt::LeftButton);
            QVERIFY(!page.Player().GetLoadedSound());
            const QByteArray second = listen(page);
            QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
            QVERIFY2(TestAudio::HasSound(second), "the second word did not reach the speaker");
            QCOMPARE(page.Player().GetPath(), page.Session().RecordingPath());
            QCOMPARE(page.Player().GetLoadedSound()->GetDataSize(), qint64(m_pear.size()));

            // Stop lets go of it too.
            page.SetStopQuestion([](QWidget*) { return true; });
            QTest::mouseClick(page.StopButton(), Qt::LeftButton);
            QVERIFY(!page.Player().GetLoadedSound());
        }
    }

    // A list may hold a recording Orthex does not play, made elsewhere: the list still opens,
    // that word says why and "Play Error", and the pupil skips it and hears the next one.
    void unplayableWordIsSkipped_data()
    {
        QTest::addColumn<QByteArray>("wav");
        QTest::addColumn<QString>("reason");
        QTest::newRow("1 Hz") << TestWav::File(TestWav::Fmt(1, 1, 1, 16), m_apple)
                              << "its sample rate is 1 Hz; Orthex plays 8000 to 48000 Hz";
        QTest::newRow("32-bit float") << TestWav::File(TestWav::Fmt(3, 1, 22050, 32), m_apple + m_apple)
                                      << "its sound is in floating point, not in a PCM format that Orthex can play";
    }

    void unplayableWordIsSkipped()
    {
        QFETCH(QByteArray, wav);
        QFETCH(QString, reason);
        const QString path = MakeList(QStringLiteral("Odd.orthex"), {QStringLiteral("apple"), QStringLiteral("pear")},
                                      {wav, TestWav::Pcm16(m_pear)});
        QVERIFY(!path.isEmpty());
        auto doc = MakeDocument(QStringLiteral("pupil"), path);
        QVERIFY(doc->IsListOpen());
        CNoCommands commands;
        CAppSettings settings;
        QVERIFY(settings.SetAutoPlay(0));
        settings.SetRandomizeList(0);  // the odd word first
        {
            CTest page(*doc, commands, settings);
            page.show();
            page.OnInitialUpdate();
            page.Session().SetRecordingFolder(NewFolder(QStringLiteral("odd-recordings")));
            m_sink->Clear();

            QTest::mouseClick(page.StartButton(), Qt::LeftButton);
            QVERIFY(!TestAudio::HasSound(listen(page)));
            QCOMPARE(m_sink->Texts(),
                     (QStringList{QStringLiteral("Could not create sound buffer.\n\n\"%1\" cannot be played: %2.")
                                      .arg(QDir::toNativeSeparators(page.Session().RecordingPath()), reason),
                                  QStringLiteral("Play Error")}));

            m_sink->Clear();
            QTest::mouseClick(page.SkipButton(), Qt::LeftButton);
            QTest::mouseClick(page.NextButton(), Qt::LeftButton);
            QCOMPARE(page.Session().CurrentWord(), QStringLiteral("pear"));
            QVERIFY2(TestAudio::HasSound(listen(page)), "the next word did not reach the speaker");
            QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
        }
    }
};

ORTHEX_TEST_MAIN(TestListenTest)
#include "test_listen_test.moc"
