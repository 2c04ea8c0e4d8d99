#include "base/exclusivefile.h"
#include "base/boundedfile.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <sys/stat.h>

class ExclusiveFileTest : public QObject
{
    Q_OBJECT

private:
    static constexpr qint64 kLimit = 1024;
    QTemporaryDir m_dir{CTestEnvironment::Instance().Root() + QStringLiteral("/lockXXXXXX")};
    QString path() const { return m_dir.filePath(QStringLiteral("Orthex.lgn")); }

    static void startHelper(QProcess& helper, const QString& path)
    {
        helper.start(QStringLiteral(ORTHEX_USERS_HELPER), {QStringLiteral("lock"), path});
        QVERIFY(helper.waitForStarted());
        QVERIFY(helper.waitForReadyRead(20000));
        QCOMPARE(helper.readLine().trimmed(), QByteArray("locked"));
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(path());
    }

    void opening_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("create");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing, created") << false << true << int(CExclusiveFile::EOpen::Opened);
        QTest::newRow("missing, not created") << false << false << int(CExclusiveFile::EOpen::Missing);
        QTest::newRow("existing") << true << false << int(CExclusiveFile::EOpen::Opened);
        QTest::newRow("existing, create asked") << true << true << int(CExclusiveFile::EOpen::Opened);
    }
    void opening()
    {
        QFETCH(bool, exists);
        QFETCH(bool, create);
        QFETCH(int, expected);
        if (exists)
            QVERIFY(TestFiles::Write(path(), "abc"));
        CExclusiveFile file;
        QCOMPARE(int(file.TryOpen(path(), create)), expected);
        QCOMPARE(file.IsOpen(), expected == int(CExclusiveFile::EOpen::Opened));
        if (file.IsOpen()) {
            QByteArray content;
            QVERIFY(file.ReadAll(content, kLimit));
            QCOMPARE(content, exists ? QByteArray("abc") : QByteArray());
            QCOMPARE(file.Size(), content.size());
        } else {
            QVERIFY(!QFile::exists(path()));
        }
    }

    void aFolderThatDoesNotExistFails()
    {
        CExclusiveFile file;
        QCOMPARE(file.TryOpen(m_dir.filePath(QStringLiteral("no/such/Orthex.lgn")), true), CExclusiveFile::EOpen::Failed);
        QVERIFY(!file.IsOpen());
        QVERIFY(!file.ErrorString().isEmpty());
    }

    // A pipe, device or folder in the file's place is refused at once, by every kind of try.
    void onlyARegularFileIsHeld_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("error");
        QTest::newRow("a pipe without a writer") << "fifo" << BoundedFile::NotRegularText();
        QTest::newRow("a link to /dev/zero") << "/dev/zero" << BoundedFile::NotRegularText();
        QTest::newRow("a folder") << "folder" << qt_error_string(EISDIR);
    }
    void onlyARegularFileIsHeld()
    {
        QFETCH(QString, kind);
        QFETCH(QString, error);
        QTemporaryDir dir(m_dir.filePath(QStringLiteral("otherXXXXXX")));
        const QString target = dir.filePath(QStringLiteral("Orthex.lgn"));
        if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Orthex.lgn")));
        else
            QVERIFY(QFile::link(kind, target));
        for (const bool reading : {true, false}) {
            CExclusiveFile file;
            QCOMPARE(reading ? file.TryOpenForReading(target) : file.TryOpen(target, true), CExclusiveFile::EOpen::Failed);
            QVERIFY(!file.IsOpen());
            QCOMPARE(file.ErrorString(), error);
        }
    }

    void aFileOverTheLimitIsNotRead()
    {
        QVERIFY(TestFiles::Write(path(), "abc"));
        CExclusiveFile file;
        QCOMPARE(file.TryOpenForReading(path()), CExclusiveFile::EOpen::Opened);
        QVERIFY(QFile(path()).resize(3LL << 30));  // sparse: no disk, but 3 GB to read
        QByteArray content("old");
        QVERIFY(!file.ReadAll(content, kLimit));
        QVERIFY(content.isEmpty());
        QCOMPARE(file.ErrorString(), BoundedFile::TooLargeText(kLimit));
    }

    // A writer excludes everyone else; readers only exclude writers.
    void twoHandlesInOneProcessExcludeEachOther_data()
    {
        QTest::addColumn<bool>("firstReads");
        QTest::addColumn<bool>("secondReads");
        QTest::addColumn<bool>("together");
        QTest::newRow("writer, writer") << false << false << false;
        QTest::newRow("writer, reader") << false << true << false;
        QTest::newRow("reader, writer") << true << false << false;
        QTest::newRow("reader, reader") << true << true << true;
    }
    void twoHandlesInOneProcessExcludeEachOther()
    {
        QFETCH(bool, firstReads);
        QFETCH(bool, secondReads);
        QFETCH(bool, together);
        QVERIFY(TestFiles::Write(path(), "abc"));
        auto take = [this](CExclusiveFile& file, bool reads) {
            return reads ? file.TryOpenForReading(path()) : file.TryOpen(path(), false);
        };
        CExclusiveFile first;
        CExclusiveFile second;
        QCOMPARE(take(first, firstReads), CExclusiveFile::EOpen::Opened);
        QCOMPARE(take(second, secondReads), together ? CExclusiveFile::EOpen::Opened : CExclusiveFile::EOpen::Locked);
        QCOMPARE(second.IsOpen(), together);
        first.Close();
        QCOMPARE(take(second, secondReads), CExclusiveFile::EOpen::Opened);
        QByteArray content;
        QVERIFY(second.ReadAll(content, kLimit));
        QCOMPARE(content, QByteArray("abc"));
        QCOMPARE(second.Replace("new"), !secondReads);
    }

    void anotherProcessHoldsTheFileUntilItLetsGo()
    {
        QProcess helper;
        startHelper(helper, path());
        CExclusiveFile file;
        QCOMPARE(file.TryOpen(path(), true), CExclusiveFile::EOpen::Locked);
        helper.write("release\n");
        QVERIFY(helper.waitForFinished(20000));
        QCOMPARE(helper.exitCode(), 0);
        QCOMPARE(file.TryOpen(path(), true), CExclusiveFile::EOpen::Opened);
    }

    void aKilledHolderLetsGo()
    {
        QProcess helper;
        startHelper(helper, path());
        helper.kill();
        QVERIFY(helper.waitForFinished(20000));
        CExclusiveFile file;
        QCOMPARE(file.TryOpen(path(), true), CExclusiveFile::EOpen::Opened);
    }

    void replacingKeepsTheNewFileHeld()
    {
        QVERIFY(TestFiles::Write(path(), "old"));
        CExclusiveFile holder;
        QCOMPARE(holder.TryOpen(path(), false), CExclusiveFile::EOpen::Opened);
        QVERIFY(holder.Replace("new content"));
        QCOMPARE(TestFiles::Read(path()), QByteArray("new content"));
        CExclusiveFile other;
        QCOMPARE(other.TryOpen(path(), false), CExclusiveFile::EOpen::Locked);
        QVERIFY(holder.Replace("newer"));
        QByteArray content;
        QVERIFY(holder.ReadAll(content, kLimit));
        QCOMPARE(content, QByteArray("newer"));
        holder.Close();
        QCOMPARE(other.TryOpen(path(), false), CExclusiveFile::EOpen::Opened);
        QVERIFY(other.ReadAll(content, kLimit));
        QCOMPARE(content, QByteArray("newer"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Orthex.lgn")});
    }

    void replacingKeepsTheMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("private") << 0600;
        QTest::newRow("shared") << 0666;
        QTest::newRow("group") << 0660;
    }
    void replacingKeepsTheMode()
    {
        QFETCH(int, mode);
        QVERIFY(TestFiles::Write(path(), "old"));
        QCOMPARE(::chmod(QFile::encodeName(path()).constData(), mode_t(mode)), 0);
        CExclusiveFile holder;
        QCOMPARE(holder.TryOpen(path(), false), CExclusiveFile::EOpen::Opened);
        QVERIFY(holder.Replace("new"));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(path()).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), mode);
    }

    // The path is made to name another file between the open and the lock of a try, as when
    // the holder renames its new content over it: the try must end up holding the new file.
    void aFileReplacedDuringATryIsOpenedAgain()
    {
        QVERIFY(TestFiles::Write(path(), "old"));
        int calls = 0;
        const QString replacement = m_dir.filePath(QStringLiteral("replacement"));
        CExclusiveFile::SetAfterOpenHook([&] {
            if (++calls == 1) {
                QVERIFY(TestFiles::Write(replacement, "replaced"));
                QFile::remove(path());
                QFile::rename(replacement, path());
            }
        });
        CExclusiveFile file;
        const CExclusiveFile::EOpen result = file.TryOpen(path(), false);
        CExclusiveFile::SetAfterOpenHook({});
        QCOMPARE(result, CExclusiveFile::EOpen::Opened);
        QCOMPARE(calls, 2);
        QByteArray content;
        QVERIFY(file.ReadAll(content, kLimit));
        QCOMPARE(content, QByteArray("replaced"));
    }

    void aFileRemovedDuringATryIsCreatedAgain()
    {
        QVERIFY(TestFiles::Write(path(), "old"));
        int calls = 0;
        CExclusiveFile::SetAfterOpenHook([&] {
            if (++calls == 1)
                QFile::remove(path());
        });
        CExclusiveFile file;
        const CExclusiveFile::EOpen result = file.TryOpen(path(), true);
        CExclusiveFile::SetAfterOpenHook({});
        QCOMPARE(result, CExclusiveFile::EOpen::Opened);
        QVERIFY(QFile::exists(path()));
        QCOMPARE(file.Size(), 0);
    }
};

ORTHEX_TEST_MAIN(ExclusiveFileTest)
#include "exclusivefile_test.moc"
