#include "sound/microphonemixer.h"
#include "testing/recordingmessagesink.h"
#include "testing/testaudio.h"
#include "testing/testenvironment.h"

#include <memory>

class MicrophoneMixerTest : public QObject
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
        CMicrophoneMixer mixer;
        QVERIFY(mixer.OpenForDevice(name, id));
        QCOMPARE(mixer.GetSourceName(), source);
        QCOMPARE(mixer.IsOpen(), !source.isEmpty());
        if (source.isEmpty()) {
            QCOMPARE(mixer.GetMaximum(), 0u);
            QCOMPARE(mixer.GetMicVolume(), 7u);
            QCOMPARE(m_sink->Texts(), QStringList{"Error 7, GetMicVolume, H 0, ID 0"});
        } else {
            QCOMPARE(mixer.GetMinimum(), 0u);
            QCOMPARE(mixer.GetMaximum(), 65536u);
            QCOMPARE(mixer.GetControlId(), CMicrophoneMixer::kVolumeControlId);
            QCOMPARE(mixer.GetSourceDescription(), QStringLiteral("Microphone"));
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
        CMicrophoneMixer mixer;
        mixer.OpenForDevice(QStringLiteral("Microphone"), TestAudio::MicSourceName());
        QCOMPARE(mixer.GetMicVolume(), 65536u);
        QVERIFY(mixer.SetMicVolume(volume));
        QCOMPARE(mixer.GetMicVolume(), volume);
        QCOMPARE(TestAudio::MicVolume(), int(volume));
        QVERIFY(m_sink->Texts().isEmpty());
    }

    void readsAChangeMadeElsewhere()
    {
        CMicrophoneMixer mixer;
        mixer.OpenForDevice(QStringLiteral("Microphone"), TestAudio::MicSourceName());
        TestAudio::SetMicVolume(30000);
        QCOMPARE(mixer.GetMicVolume(), 30000u);
    }

    void closedMixer()
    {
        CMicrophoneMixer mixer;
        mixer.OpenForDevice(QStringLiteral("Microphone"), TestAudio::MicSourceName());
        QVERIFY(mixer.IsOpen());
        QVERIFY(mixer.GetHandle() != 0);
        mixer.Close();
        QVERIFY(!mixer.SetMicVolume(100));
        QCOMPARE(mixer.GetMicVolume(), 7u);
        QCOMPARE(m_sink->Texts(), QStringList{"Error 7, GetMicVolume, H 0, ID 0"});
        QCOMPARE(TestAudio::MicVolume(), 65536);
    }

    void openingAnIndexOutsideTheListing()
    {
        CMicrophoneMixer mixer;
        QVERIFY(!mixer.OpenMixer(99));
        QCOMPARE(m_sink->Texts(), QStringList{"Can't query the new mixer device."});
    }
};

ORTHEX_TEST_MAIN(MicrophoneMixerTest)
#include "microphonemixer_test.moc"
