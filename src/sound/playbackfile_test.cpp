#include "sound/playbackfile.h"
#include "testing/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

namespace {
QByteArray recording(int seed, int size)
{
    QByteArray bytes("RIFF....WAVEfmt ");
    QRandomGenerator generator{quint32(seed)};
    while (bytes.size() < size)
        bytes.append(char(generator.bounded(256)));
    bytes.truncate(size);
    return bytes;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

class PlaybackFileTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& name) const { return m_dir->filePath(name); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(CTestEnvironment::Instance().Root() + QStringLiteral("/play-XXXXXX"));
        QVERIFY(m_dir->isValid());
    }

    void writesTheWholeRecording_data()
    {
        QTest::addColumn<QByteArray>("previous");  // empty: there is no file yet
        QTest::addColumn<QByteArray>("sound");
        QTest::newRow("new file") << QByteArray() << recording(1, 300000);
        QTest::newRow("over a longer file") << QByteArray("the previous recording") << recording(2, 17);
        QTest::newRow("over a shorter file") << QByteArray("the previous recording") << recording(3, 70001);
    }

    void writesTheWholeRecording()
    {
        QFETCH(QByteArray, previous);
        QFETCH(QByteArray, sound);
        const QString wav = path(QStringLiteral("Temp.wav"));
        if (!previous.isEmpty()) {
            QFile file(wav);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(previous), previous.size());
        }
        QVERIFY(PlaybackFile::Write(wav, sound));
        QCOMPARE(readAll(wav), sound);
    }

    // A recording file made in a folder every account can write is writable by all of them.
    void sharesANewRecordingLikeItsFolder()
    {
        const QString folder = path(QStringLiteral("sharedfolder"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::permissions(folder) | QFileDevice::WriteGroup
                                                  | QFileDevice::ReadGroup | QFileDevice::ExeGroup));
        const QString wav = folder + QStringLiteral("/Temp.wav");
        QVERIFY(PlaybackFile::Write(wav, recording(1, 100)));
        QVERIFY(QFile::permissions(wav) & QFileDevice::WriteGroup);
    }
};

ORTHEX_TEST_MAIN(PlaybackFileTest)
#include "playbackfile_test.moc"
