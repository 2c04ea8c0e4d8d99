#include "testing/testcli.h"
#include "testing/testenvironment.h"
#include "testing/testusers.h"
#include "base/boundedfile.h"
#include "users/resultfiles.h"
#include "users/userfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
// With a runner (runuser), the command runs as the account nobody.
SCliRun runUsers(const QStringList& args, const QString& runner = QString())
{
    const QStringList runAs =
        runner.isEmpty() ? QStringList() : QStringList{runner, QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--")};
    return TestCli::Run(QStringList{QStringLiteral("users")} + args, {}, runAs);
}
}  // namespace

class UsersCommandTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->path(); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(CTestEnvironment::Instance().Root() + QStringLiteral("/cliXXXXXX"));
    }

    void printsTheNamesInFileOrderAndNoPassword()
    {
        TestUsers::Write(folder(), {{QStringLiteral("Zoe"), QStringLiteral("zebra-secret")},
                              {QStringLiteral("anna"), QStringLiteral(" ")},
                              {QStringLiteral("Jos\u00e9"), QStringLiteral("caf\u00e9")}});
        const SCliRun run = runUsers({QStringLiteral("--folder"), folder()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QString::fromUtf8(run.out), QStringLiteral("Zoe\nanna\nJos\u00e9\n"));
        QVERIFY(!run.out.contains("secret"));
        QVERIFY(run.err.isEmpty());
    }

    void noFileMeansNoUsersAndCreatesNothing_data()
    {
        QTest::addColumn<bool>("emptyFile");
        QTest::newRow("missing") << false;
        QTest::newRow("empty") << true;
    }
    void noFileMeansNoUsersAndCreatesNothing()
    {
        QFETCH(bool, emptyFile);
        if (emptyFile) {
            QFile file(folder() + QStringLiteral("/Orthex.lgn"));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const SCliRun run = runUsers({QStringLiteral("--folder"), folder()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(QFile::exists(folder() + QStringLiteral("/Orthex.lgn")), emptyFile);
    }

    void aHeldFileIsReportedWithoutWaiting()
    {
        TestUsers::Write(folder(), {{QStringLiteral("anna"), QStringLiteral(" ")}});
        CUserFile held(folder());
        held.OpenUserFile();
        QVERIFY(held.IsOpen());
        QElapsedTimer timer;
        timer.start();
        const SCliRun run = runUsers({QStringLiteral("--folder"), folder()});
        QCOMPARE(run.exitCode, 3);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.contains("another copy of Orthex"));
        QVERIFY(timer.elapsed() < 5000);
        held.Close();
        QCOMPARE(runUsers({QStringLiteral("--folder"), folder()}).exitCode, 0);
    }

    // A user file this account may read but not write: a read lock on a read-only handle, which
    // still gives way to a copy of the program that holds the file.
    void aFileThatCannotBeWrittenIsRead()
    {
        // Root writes any file: the command then runs as another account.
        QString runner;
        if (::geteuid() == 0) {
            runner = QStandardPaths::findExecutable(QStringLiteral("runuser"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
            if (runner.isEmpty())
                QSKIP("runuser is not installed, and root can write every file");
        }
        // Not under the test environment's private folder: the other account must reach it.
        QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/orthex-usersXXXXXX"));
        QVERIFY(dir.isValid());
        TestUsers::Write(dir.path(), {{QStringLiteral("anna"), QStringLiteral(" ")}, {QStringLiteral("ben"), QStringLiteral(" ")}});
        const QString file = dir.filePath(QStringLiteral("Orthex.lgn"));
        QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
        QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0444), 0);
        const QStringList args{QStringLiteral("--folder"), dir.path()};
        {
            CUserFile held(dir.path());
            held.OpenUserFile();
            QVERIFY(held.IsOpen());
            QCOMPARE(runUsers(args, runner).exitCode, 3);
        }
        const SCliRun run = runUsers(args, runner);
        QCOMPARE(QString::fromUtf8(run.err), QString());
        QCOMPARE(run.out, QByteArray("anna\nben\n"));
        QCOMPARE(run.exitCode, 0);
    }

    void aDamagedFilePrintsWhatWasReadAndFails()
    {
        TestUsers::Write(folder(), {{QStringLiteral("anna"), QStringLiteral(" ")}});
        QFile file(folder() + QStringLiteral("/Orthex.lgn"));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        bytes[0] = 2;
        file.seek(0);
        file.write(bytes);
        file.close();
        const SCliRun run = runUsers({QStringLiteral("--folder"), folder()});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QByteArray("anna\n"));
        QVERIFY(run.err.contains("damaged"));
    }

    // A sparse file of 3 GB: refused by its size, as damage, before a byte is read.
    void aFileFarTooLargeIsDamageAndNotRead()
    {
        TestUsers::Write(folder(), {{QStringLiteral("anna"), QStringLiteral(" ")}});
        QVERIFY(QFile(folder() + QStringLiteral("/Orthex.lgn")).resize(3LL << 30));
        const SCliRun run = runUsers({QStringLiteral("--folder"), folder()});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.contains("damaged"));
        QVERIFY(QString::fromUtf8(run.err).contains(BoundedFile::TooLargeText(CResultFiles::kMaxFileBytes)));
    }

    // A name can neither drive the terminal nor pass for two users.
    void controlCharactersInNamesAreEscaped()
    {
        const QString names[] = {QStringLiteral("Eve\x1b[2J"), QStringLiteral("Mal\nlory"), QStringLiteral("Tab\tby")};
        TestUsers::Write(folder(), {{names[0], QStringLiteral(" ")}, {names[1], QStringLiteral(" ")}, {names[2], QStringLiteral(" ")}});
        const SCliRun run = runUsers({QStringLiteral("--folder"), folder()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("Eve\\x1b[2J\nMal\\nlory\nTab\\tby\n"));
    }

    void aMissingFolderFails()
    {
        const SCliRun run = runUsers({QStringLiteral("--folder"), folder() + QStringLiteral("/missing")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("no such folder"));
        QVERIFY(!QFileInfo::exists(folder() + QStringLiteral("/missing")));
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("no folder value") << QStringList{QStringLiteral("--folder")};
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--user"), QStringLiteral("x")};
        QTest::newRow("extra") << QStringList{QStringLiteral("--folder"), QStringLiteral("x"), QStringLiteral("y")};
    }
    void usage()
    {
        QFETCH(QStringList, args);
        const SCliRun run = runUsers(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("usage: orthex-cli users --folder DIR"));
    }
};

ORTHEX_TEST_MAIN(UsersCommandTest)
#include "userscommand_test.moc"
