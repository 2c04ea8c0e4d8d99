#include "base/atomicfile.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class AtomicFileTest : public QObject
{
    Q_OBJECT

private:
    static void chmodPath(const QString& path, int mode)
    {
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
    }

private Q_SLOTS:
    void aNewFileTakesTheFoldersSharedWriteBits_data()
    {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<AtomicFile::Sharing>("sharing");
        QTest::addColumn<int>("writeBits");
        const auto shared = AtomicFile::Sharing::LikeFolder;
        const auto own = AtomicFile::Sharing::Private;
        QTest::newRow("private folder") << 0700 << shared << 0;
        QTest::newRow("group folder") << 0770 << shared << 020;
        QTest::newRow("everybody's folder") << 0777 << shared << 022;
        QTest::newRow("sticky classroom folder") << 01777 << shared << 022;
        // An export or a list saved in /tmp or a class share stays its owner's to change.
        QTest::newRow("own document, everybody's folder") << 0777 << own << 0;
        QTest::newRow("own document, group folder") << 0770 << own << 0;
    }
    void aNewFileTakesTheFoldersSharedWriteBits()
    {
        QFETCH(int, folderMode);
        QFETCH(AtomicFile::Sharing, sharing);
        QFETCH(int, writeBits);
        QTemporaryDir dir(CTestEnvironment::Instance().Root() + QStringLiteral("/atomicXXXXXX"));
        chmodPath(dir.path(), folderMode);
        const QString path = dir.filePath(QStringLiteral("Anna.sp3"));
        QString error;
        QVERIFY2(AtomicFile::Write(path, QByteArray("\x00\x00", 2), &error, sharing), qPrintable(error));
        QCOMPARE(TestFiles::Read(path), QByteArray("\x00\x00", 2));
        QCOMPARE(TestFiles::ModeOf(path) & 022, writeBits);
        QVERIFY(TestFiles::ModeOf(path) & 0400);
    }

    void anExistingFileKeepsItsMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("0600") << 0600;
        QTest::newRow("0640") << 0640;
        QTest::newRow("0666") << 0666;
    }
    void anExistingFileKeepsItsMode()
    {
        QFETCH(int, mode);
        QTemporaryDir dir(CTestEnvironment::Instance().Root() + QStringLiteral("/atomicXXXXXX"));
        chmodPath(dir.path(), 0777);  // a shared folder must not widen a file that exists
        const QString path = dir.filePath(QStringLiteral("Anna.sp4"));
        QVERIFY(AtomicFile::Write(path, "old"));
        chmodPath(path, mode);
        QVERIFY(AtomicFile::Write(path, "new"));
        QCOMPARE(TestFiles::Read(path), QByteArray("new"));
        QCOMPARE(TestFiles::ModeOf(path), mode);
    }

    void aFailedWriteLeavesNothingBehind_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::newRow("missing folder") << QStringLiteral("missing/Anna.sp3");
        QTest::newRow("target is a folder") << QStringLiteral("folder.sp3");
    }
    void aFailedWriteLeavesNothingBehind()
    {
        QFETCH(QString, relative);
        QTemporaryDir dir(CTestEnvironment::Instance().Root() + QStringLiteral("/atomicXXXXXX"));
        QDir(dir.path()).mkdir(QStringLiteral("folder.sp3"));
        QString error;
        QVERIFY(!AtomicFile::Write(dir.filePath(relative), "data", &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("folder.sp3")});
    }

    void keptCopiesTakeTheNextFreeName()
    {
        QTemporaryDir dir(CTestEnvironment::Instance().Root() + QStringLiteral("/atomicXXXXXX"));
        const QString path = dir.filePath(QStringLiteral("Orthex.lgn"));
        const QString suffix = QStringLiteral(".damaged");
        QCOMPARE(AtomicFile::KeepAside(path, suffix, "first"), path + suffix);
        QCOMPARE(AtomicFile::KeepAside(path, suffix, "second"), path + suffix + QStringLiteral(".2"));
        QCOMPARE(AtomicFile::KeepAside(path, suffix, "third"), path + suffix + QStringLiteral(".3"));
        QCOMPARE(TestFiles::Read(path + suffix), QByteArray("first"));
        QCOMPARE(TestFiles::Read(path + suffix + QStringLiteral(".2")), QByteArray("second"));
        QCOMPARE(TestFiles::Read(path + suffix + QStringLiteral(".3")), QByteArray("third"));
        QString error;
        QVERIFY(AtomicFile::KeepAside(dir.filePath(QStringLiteral("missing/x")), suffix, "x", &error).isEmpty());
        QVERIFY(!error.isEmpty());
    }
};

ORTHEX_TEST_MAIN(AtomicFileTest)
#include "atomicfile_test.moc"
