#include "sound/capturebuffer.h"
#include "sound/notificationevent.h"
#include "sound/notificationworker.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"

#include <atomic>

class CaptureBufferTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Writes of the given sizes into a 16 x 8-byte buffer; the notifications they cause and
    // the bytes kept.
    void writes_data()
    {
        QTest::addColumn<QList<int>>("writes");
        QTest::addColumn<int>("notifications");
        QTest::addColumn<int>("captured");
        QTest::addColumn<int>("dropped");
        QTest::newRow("less than a piece") << QList<int>{7} << 0 << 7 << 0;
        QTest::newRow("exactly a piece") << QList<int>{8} << 1 << 8 << 0;
        QTest::newRow("piece boundary crossed in two writes") << QList<int>{5, 5} << 1 << 10 << 0;
        QTest::newRow("three pieces in one write") << QList<int>{24} << 1 << 24 << 0;
        QTest::newRow("fills the buffer") << QList<int>{64, 64} << 2 << 128 << 0;
        QTest::newRow("full buffer drops the rest") << QList<int>{120, 20} << 2 << 128 << 12;
    }

    void writes()
    {
        QFETCH(QList<int>, writes);
        QFETCH(int, notifications);
        QFETCH(int, captured);
        QFETCH(int, dropped);
        CNotificationEvent event;
        std::atomic<int> drains{0};
        CCaptureBuffer buffer(128, 8, event);
        {
            // Counts how often the event woke a worker (the worker drains nothing).
            CNotificationWorker worker(event, [&] {
                ++drains;
                return SoundResult::Ok();
            });
            for (int n : writes) {
                QByteArray bytes(n, 'x');
                QCOMPARE(buffer.write(bytes), qint64(n));
                QTest::qWait(20);
            }
            QTRY_COMPARE(drains.load(), notifications);
        }
        QCOMPARE(int(buffer.Captured()), captured);
        QCOMPARE(int(buffer.DroppedBytes()), dropped);
        QCOMPARE(buffer.ReadPosition(), quint32(captured % 128));
    }

    void takeWrapsAndKeepsOrder()
    {
        CNotificationEvent event;
        CCaptureBuffer buffer(16, 4, event);
        QByteArray first("0123456789ab");
        buffer.write(first);
        QByteArray out(12, '\0');
        buffer.Take(0, 12, out.data());
        QCOMPARE(out, first);
        buffer.write(QByteArray("cdefghij"));  // wraps at 16
        QCOMPARE(buffer.Captured(), 8u);
        QCOMPARE(buffer.ReadPosition(), 4u);
        QByteArray wrapped(8, '\0');
        buffer.Take(12, 8, wrapped.data());
        QCOMPARE(wrapped, QByteArray("cdefghij"));
        QCOMPARE(buffer.Captured(), 0u);
    }

    void failingDrainEndsTheWorkerWithItsMessage()
    {
        CRecordingMessageSink sink;
        CNotificationEvent event;
        std::atomic<int> drains{0};
        CNotificationWorker worker(event, [&] {
            ++drains;
            return SoundResult(SoundError::Failed);
        });
        event.Set();
        QTRY_COMPARE(sink.Texts(), QStringList{QStringLiteral("The recording stopped: the sound from the input device could not be saved.")});
        event.Set();
        QTest::qWait(50);
        QCOMPARE(drains.load(), 1);
        worker.Stop();
    }
};

ORTHEX_TEST_MAIN(CaptureBufferTest)
#include "capturebuffer_test.moc"
