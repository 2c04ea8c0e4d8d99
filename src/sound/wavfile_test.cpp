#include "sound/wavfile.h"
#include "base/boundedfile.h"
#include "testing/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <sys/stat.h>

namespace {
quint32 le32At(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

class WavFileTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writeThenRead_data()
    {
        QTest::addColumn<QList<int>>("pieces");
        QTest::addColumn<int>("rate");
        QTest::newRow("nothing") << QList<int>{} << 22050;
        QTest::newRow("one piece") << QList<int>{11024} << 22050;
        QTest::newRow("many pieces") << QList<int>{24000, 24000, 24000, 1} << 48000;
        QTest::newRow("odd length is padded") << QList<int>{4001} << 8000;
    }

    void writeThenRead()
    {
        QFETCH(QList<int>, pieces);
        QFETCH(int, rate);
        const QString path = QDir(CTestEnvironment::Instance().Root()).filePath(QStringLiteral("w.wav"));
        const CWaveFormat format = CWaveFormat::Pcm(2, quint32(rate), 16);
        QByteArray data;
        {
            CWavFile writer;
            QVERIFY(writer.OpenForWriting(path, format));
            // While recording, the header is on disk with the lengths still open.
            const QByteArray open = readAll(path);
            QCOMPARE(open.size(), 56);
            QCOMPARE(le32At(open, 4), 0u);
            QCOMPARE(le32At(open, 44), 0xFFFFFFFFu);
            QCOMPARE(le32At(open, 52), 0u);
            char value = 0;
            for (int n : pieces) {
                QByteArray piece(n, '\0');
                for (char& c : piece)
                    c = ++value;
                QCOMPARE(writer.Write(piece.constData(), piece.size()), qint64(n));
                data += piece;
            }
            QCOMPARE(writer.WrittenDataSize(), qint64(data.size()));
            QVERIFY(writer.Close());
        }
        const QByteArray file = readAll(path);
        const qsizetype padded = data.size() + (data.size() & 1);
        QCOMPARE(file.size(), 56 + padded);
        QCOMPARE(file.left(4), QByteArray("RIFF"));
        QCOMPARE(le32At(file, 4), quint32(file.size() - 8));
        QCOMPARE(file.mid(36, 8), QByteArray("fact\x04\0\0\0", 8));
        QCOMPARE(le32At(file, 44), 0u);
        QCOMPARE(file.mid(48, 4), QByteArray("data"));
        QCOMPARE(le32At(file, 52), quint32(data.size()));
        QCOMPARE(file.mid(56, data.size()), data);

        CWavFile reader;
        QCOMPARE(reader.OpenForReading(path), SoundResult::Ok());
        QCOMPARE(reader.GetFormat(), format);
        QCOMPARE(reader.GetDataSize(), qint64(data.size()));
        // Read in two steps, then again after a rewind.
        QByteArray back(data.size() + 10, '\0');
        const qint64 first = reader.Read(back.data(), data.size() / 2);
        const qint64 second = reader.Read(back.data() + first, back.size() - first);
        QCOMPARE(first + second, qint64(data.size()));
        QCOMPARE(back.left(data.size()), data);
        QCOMPARE(reader.Read(back.data(), 10), qint64(0));
        QCOMPARE(reader.Rewind(), SoundResult::Ok());
        QCOMPARE(reader.Read(back.data(), back.size()), qint64(data.size()));
    }

    void unopenedWriterFails()
    {
        const QString path = CTestEnvironment::Instance().Root() + QStringLiteral("/missing/folder/w.wav");
        CWavFile writer;
        QVERIFY(!writer.OpenForWriting(path, CWaveFormat::Pcm(2, 22050, 16)));
        QCOMPARE(writer.Write("abcd", 4), qint64(-1));
        QVERIFY(!writer.Close());
        QVERIFY(!QFile::exists(path));
    }

    void readFailures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("text") << QByteArray("not a sound at all, just some words");
        QTest::newRow("header only while recording") << QByteArray("RIFF\0\0\0\0WAVE", 12);
    }

    void readFailures()
    {
        QFETCH(QByteArray, bytes);
        const QString path = QDir(CTestEnvironment::Instance().Root()).filePath(QStringLiteral("bad.wav"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        CWavFile reader;
        QVERIFY(reader.OpenForReading(path).Failed());
        QCOMPARE(reader.GetMode(), CWavFile::Mode::Closed);
        char c;
        QCOMPARE(reader.Read(&c, 1), qint64(0));
    }

    // Neither waited on nor read without end.
    void aPipeOrDeviceIsRefusedAtOnce_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a pipe without a writer") << "fifo";
        QTest::newRow("a link to /dev/zero") << "/dev/zero";
    }
    void aPipeOrDeviceIsRefusedAtOnce()
    {
        QFETCH(QString, kind);
        const QString path = QDir(CTestEnvironment::Instance().Root()).filePath(QStringLiteral("odd.wav"));
        QFile::remove(path);
        if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(kind, path));
        CWavFile reader;
        QVERIFY(reader.OpenForReading(path).Failed());
        QString whyNot;
        QVERIFY(reader.OpenForPlaying(path, &whyNot).Failed());
        QVERIFY2(whyNot.contains(BoundedFile::NotRegularText()), qPrintable(whyNot));
        QFile::remove(path);
    }

    void missingFileFails()
    {
        CWavFile reader;
        QVERIFY(reader.OpenForReading(CTestEnvironment::Instance().Root() + QStringLiteral("/none.wav")).Failed());
    }
};

ORTHEX_TEST_MAIN(WavFileTest)
#include "wavfile_test.moc"
