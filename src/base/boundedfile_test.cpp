#include "base/boundedfile.h"
#include "testing/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <sys/stat.h>

class BoundedFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Whatever stands at the path, the answer comes at once: nothing here may block or read
    // without end.
    void read_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error");

        const auto row = [](const char* name, const char* kind, qint64 size, BoundedFile::EStatus status,
                            const QString& error) {
            QTest::newRow(name) << QString::fromLatin1(kind) << size << int(status) << error;
        };
        using S = BoundedFile::EStatus;
        row("a small file", "file", 5, S::Read, QString());
        row("an empty file", "file", 0, S::Read, QString());
        row("a file of the limit", "file", 64, S::Read, QString());
        row("a file one byte over", "file", 65, S::TooLarge, BoundedFile::TooLargeText(64));
        row("a sparse file of 3 GB", "sparse", 3LL << 30, S::TooLarge, BoundedFile::TooLargeText(64));
        row("nothing", "missing", 0, S::Missing, qt_error_string(ENOENT));
        row("a folder", "folder", 0, S::Failed, qt_error_string(EISDIR));
        row("a pipe without a writer", "fifo", 0, S::Failed, BoundedFile::NotRegularText());
        row("a link to a pipe", "link to fifo", 0, S::Failed, BoundedFile::NotRegularText());
        row("a link to /dev/zero", "link to /dev/zero", 0, S::Failed, BoundedFile::NotRegularText());
    }
    void read()
    {
        QFETCH(QString, kind);
        QFETCH(qint64, size);
        QFETCH(int, status);
        QFETCH(QString, error);
        QTemporaryDir dir(CTestEnvironment::Instance().Root() + QStringLiteral("/boundedXXXXXX"));
        const QString path = dir.filePath(QStringLiteral("Anna.sp3"));
        const QByteArray native = QFile::encodeName(path);
        if (kind == QLatin1String("file") || kind == QLatin1String("sparse")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (kind == QLatin1String("sparse"))
                QVERIFY(file.resize(size));
            else
                QCOMPARE(file.write(QByteArray(int(size), 'x')), size);
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(path));
        } else if (kind.startsWith(QLatin1String("link to /dev/"))) {
            const QString device = kind.mid(8);
            if (!QFileInfo::exists(device))
                QSKIP("this machine has no such device");
            QVERIFY(QFile::link(device, path));
        } else if (kind.endsWith(QLatin1String("fifo"))) {
            const QString fifo = kind == QLatin1String("fifo") ? path : dir.filePath(QStringLiteral("pipe"));
            QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
            if (fifo != path)
                QVERIFY(QFile::link(fifo, path));
        }

        const BoundedFile::Result result = BoundedFile::Read(path, 64);
        QCOMPARE(int(result.status), status);
        QCOMPARE(result.error, error);
        if (result.status == BoundedFile::EStatus::Read)
            QCOMPARE(result.bytes, QByteArray(int(size), 'x'));
        else
            QVERIFY(result.bytes.isEmpty());
        // The size is known from the file system, before anything is read.
        if (kind == QLatin1String("sparse"))
            QCOMPARE(result.size, size);

        QFile opened;
        bool missing = true;
        QString openError;
        QCOMPARE(BoundedFile::Open(opened, path, &openError, &missing), kind == QLatin1String("file") || kind == QLatin1String("sparse"));
        QCOMPARE(missing, kind == QLatin1String("missing"));
        if (!opened.isOpen() && result.status != BoundedFile::EStatus::TooLarge)
            QCOMPARE(openError, error);
    }

    // A file several accounts take turns to fill is written in place; nothing else is waited on.
    void openForWriting_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("error");  // empty: opened
        QTest::newRow("nothing yet") << "missing" << QString();
        QTest::newRow("a file") << "file" << QString();
        QTest::newRow("a pipe without a reader") << "fifo" << BoundedFile::NotRegularText();
        QTest::newRow("a link to /dev/zero") << "/dev/zero" << BoundedFile::NotRegularText();
    }
    void openForWriting()
    {
        QFETCH(QString, kind);
        QFETCH(QString, error);
        QTemporaryDir dir(CTestEnvironment::Instance().Root() + QStringLiteral("/boundedXXXXXX"));
        const QString path = dir.filePath(QStringLiteral("Temp.wav"));
        if (kind == QLatin1String("file"))
            QVERIFY(QFile(path).open(QIODevice::WriteOnly) && QFile(path).resize(100));
        else if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind.startsWith(QLatin1Char('/')))
            QVERIFY(QFile::link(kind, path));
        struct stat before {};
        ::lstat(QFile::encodeName(path).constData(), &before);
        QFile file;
        QString why;
        bool created = false;
        QCOMPARE(BoundedFile::OpenForWriting(file, path, QIODevice::WriteOnly, &why, &created), error.isEmpty());
        QCOMPARE(why, error);
        QCOMPARE(created, kind == QLatin1String("missing"));
        if (!error.isEmpty())
            return;
        QCOMPARE(file.write("abc"), qint64(3));
        file.close();
        QCOMPARE(QFileInfo(path).size(), qint64(3));  // emptied first
        struct stat after {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
        if (kind == QLatin1String("file"))
            QCOMPARE(after.st_ino, before.st_ino);
    }
};

ORTHEX_TEST_MAIN(BoundedFileTest)
#include "boundedfile_test.moc"
