#include "sound/pulsemicrophonelevel.h"
#include "testing/recordingmessagesink.h"
#include "testing/testaudio.h"
#include "testing/testenvironment.h"

#include <memory>

namespace {
// What reading the level says when no input device of the server fits the capture device.
QString noLevel(const QString& device)
{
    return QStringLiteral("The microphone level cannot be read: the sound server (PulseAudio or PipeWire) has no "
                          "input device for \"%1\".")
        .arg(device);
}
}  // namespace

class MicrophoneLevelTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<CRecordingMessageSink> m_sink;

private Q_SLOTS:
    void initTestCase()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        m_sink = std::make_unique<CRecordingMessageSink>();
    }

    void init()
    {
        m_sink->Clear();
        TestAudio::SetMicVolume(65536);
    }

    void cleanupTestCase() { m_sink.reset(); }

    // Which source the capture device's name and identifier lead to.
    void findsTheSource_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<QByteArray>("source");
        const QByteArray mic = TestAudio::MicSourceName();
        QTest::newRow("by identifier") << "Microphone" << mic << mic;
        QTest::newRow("default device: the default source") << QString() << QByteArray() << mic;
        QTest::newRow("identifier unknown: by description in the name")
            << "Microphone (USB Audio Device)" << QByteArray("gone") << mic;
        QTest::newRow("a sink's monitor is never taken")
            << "Monitor of Speaker" << TestAudio::SpeakerMonitorName() << QByteArray();
        QTest::newRow("nothing matches") << "Line In" << QByteArray("line") << QByteArray();
    }

    void findsTheSource()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, id);
        QFETCH(QByteArray, source);
        CPulseMicrophoneLevel level;
        QCOMPARE(level.Open(name, id), !source.isEmpty());
        QCOMPARE(level.SourceName(), source);
        QCOMPARE(level.IsOpen(), !source.isEmpty());
        if (source.isEmpty()) {
            QCOMPARE(level.Maximum(), 0u);
            QCOMPARE(level.Volume(), std::nullopt);
            QCOMPARE(m_sink->Texts(), QStringList{noLevel(name)});
        } else {
            QCOMPARE(level.Maximum(), 65536u);
            QCOMPARE(level.SourceDescription(), QStringLiteral("Microphone"));
            QVERIFY(m_sink->Texts().isEmpty());
        }
    }

    void setAndReadBack_data()
    {
        QTest::addColumn<quint32>("volume");
        QTest::newRow("40 %") << 26214u;
        QTest::newRow("0") << 0u;
        QTest::newRow("full") << 65536u;
    }

    void setAndReadBack()
    {
        QFETCH(quint32, volume);
        CPulseMicrophoneLevel level;
        level.Open(QStringLiteral("Microphone"), TestAudio::MicSourceName());
        QCOMPARE(level.Volume(), 65536u);
        QVERIFY(level.SetVolume(volume));
        QCOMPARE(level.Volume(), volume);
        QCOMPARE(TestAudio::MicVolume(), int(volume));
        QVERIFY(m_sink->Texts().isEmpty());
    }

    void readsAChangeMadeElsewhere()
    {
        CPulseMicrophoneLevel level;
        level.Open(QStringLiteral("Microphone"), TestAudio::MicSourceName());
        TestAudio::SetMicVolume(30000);
        QCOMPARE(level.Volume(), 30000u);
    }

    void closedLevel()
    {
        CPulseMicrophoneLevel level;
        level.Open(QStringLiteral("Microphone"), TestAudio::MicSourceName());
        QVERIFY(level.IsOpen());
        level.Close();
        QVERIFY(!level.IsOpen());
        QVERIFY(!level.SetVolume(100));
        QCOMPARE(level.Volume(), std::nullopt);
        QCOMPARE(m_sink->Texts(), QStringList{noLevel(QStringLiteral("Microphone"))});
        QCOMPARE(TestAudio::MicVolume(), 65536);
    }

    void openingAnIndexOutsideTheListing()
    {
        CPulseMicrophoneLevel level;
        QVERIFY(!level.OpenSource(99));
        QCOMPARE(m_sink->Texts(), QStringList{"The sound server (PulseAudio or PipeWire) has no such input device."});
    }
};

ORTHEX_TEST_MAIN(MicrophoneLevelTest)
#include "microphonelevel_test.moc"
