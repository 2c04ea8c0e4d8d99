// cmake --install of this build into a temporary DESTDIR: every file lands where the desktop
// looks for it, the desktop entry and the MIME type are exactly what the program registers for
// one user (so the installed program finds them and registers nothing of its own), and the
// installed orthex-cli runs.

#include "app/shellregistration.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

class InstallTest : public QObject
{
    Q_OBJECT

private:
    // Installs into a fresh DESTDIR under the test's temporary folder; returns that folder.
    static QString Install(const QString& prefix, const QString& name)
    {
        const QString destDir = CTestEnvironment::Instance().Root() + QStringLiteral("/stage-") + name;
        QDir(destDir).removeRecursively();
        QProcess cmake;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), destDir);
        cmake.setProcessEnvironment(env);
        cmake.setProcessChannelMode(QProcess::MergedChannels);
        cmake.start(QStringLiteral(ORTHEX_CMAKE_COMMAND),
                    {QStringLiteral("--install"), QStringLiteral(ORTHEX_BINARY_DIR), QStringLiteral("--prefix"), prefix});
        if (!cmake.waitForFinished(120000) || cmake.exitStatus() != QProcess::NormalExit || cmake.exitCode() != 0) {
            qWarning("%s", cmake.readAll().constData());
            return QString();
        }
        return destDir;
    }

private Q_SLOTS:
    void installsEveryFile_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::newRow("/usr, as the package") << QStringLiteral("/usr");
        QTest::newRow("/usr/local, the default") << QStringLiteral("/usr/local");
        // The desktop entry's Exec quoting must match the program's for any path.
        QTest::newRow("a prefix with a space, a quote and a dollar") << QStringLiteral("/opt/my \"orthex\" $5");
    }

    void installsEveryFile()
    {
        QFETCH(QString, prefix);
        static int run = 0;
        const QString destDir = Install(prefix, QString::number(++run));
        QVERIFY2(!destDir.isEmpty(), "cmake --install failed");
        const QString root = destDir + prefix;
        const QString share = root + QStringLiteral("/share");

        for (const char* program : {"/bin/orthex", "/bin/orthex-cli"}) {
            const QFileInfo info(root + QLatin1String(program));
            QVERIFY2(info.isFile() && info.isExecutable(), qPrintable(info.filePath()));
        }

        const QString program = prefix + QStringLiteral("/bin/orthex");
        QCOMPARE(QString::fromUtf8(TestFiles::Read(share + QStringLiteral("/applications/orthex.desktop"))),
                 CShellRegistration::DesktopEntry(program));
        QCOMPARE(TestFiles::Read(share + QStringLiteral("/mime/packages/orthex.xml")), CShellRegistration::MimeTypeXml());

        const QString sources = qEnvironmentVariable("ORTHEX_SOURCE_DIR") + QStringLiteral("/src/app/resources");
        const QByteArray icon = TestFiles::Read(share + QStringLiteral("/icons/hicolor/scalable/apps/orthex.svg"));
        QVERIFY(!icon.isEmpty());
        QCOMPARE(icon, TestFiles::Read(sources + QStringLiteral("/orthex.svg")));
        const QByteArray guide = TestFiles::Read(share + QStringLiteral("/doc/orthex/guide.html"));
        QVERIFY(!guide.isEmpty());
        QCOMPARE(guide, TestFiles::Read(sources + QStringLiteral("/help/guide.html")));

        // The installed program, started with the installed share folder among the data folders,
        // takes the installed entry as system-wide and writes no entry for the user.
        const QByteArray savedDirs = qgetenv("XDG_DATA_DIRS");
        qputenv("XDG_DATA_DIRS", QFile::encodeName(share + QStringLiteral(":/nonexistent")));
        const CShellRegistration::Result registered = CShellRegistration::Register(program, icon);
        qputenv("XDG_DATA_DIRS", savedDirs);
        QVERIFY(registered.systemWide);
        QVERIFY(registered.written.isEmpty());
        const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
        QVERIFY(!QFileInfo::exists(dataHome + QStringLiteral("/applications/orthex.desktop")));

        QProcess cli;
        cli.start(root + QStringLiteral("/bin/orthex-cli"), {QStringLiteral("--help")});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), 0);
        QVERIFY(cli.readAllStandardOutput().startsWith("usage: orthex-cli COMMAND"));
    }
};

ORTHEX_TEST_MAIN(InstallTest)
#include "install_test.moc"
