// cmake --install of this build into a temporary DESTDIR: every file lands where the desktop
// looks for it, the desktop entry and the MIME type are exactly what the program registers for
// one user (so the installed program finds them and registers nothing of its own), and the
// installed orthex-cli runs. Then the freedesktop and Debian validators judge the installed
// metadata and the .deb that cpack makes.

#include "app/shellregistration.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

class InstallTest : public QObject
{
    Q_OBJECT

private:
    struct Run {
        int exitCode = -1;  // -1: did not start or did not finish
        QByteArray output;  // standard output and error
    };

    static Run Execute(const QString& program, const QStringList& args, const QString& destDir = QString())
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));  // the validators' texts in English
        if (!destDir.isEmpty())
            env.insert(QStringLiteral("DESTDIR"), destDir);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, args);
        Run run;
        if (process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit)
            run.exitCode = process.exitCode();
        run.output = process.readAll();
        return run;
    }

    // Installs into a fresh DESTDIR under the test's temporary folder; returns that folder.
    static QString Install(const QString& prefix, const QString& name)
    {
        const QString destDir = CTestEnvironment::Instance().Root() + QStringLiteral("/stage-") + name;
        QDir(destDir).removeRecursively();
        const Run cmake = Execute(QStringLiteral(ORTHEX_CMAKE_COMMAND),
                                  {QStringLiteral("--install"), QStringLiteral(ORTHEX_BINARY_DIR), QStringLiteral("--prefix"), prefix},
                                  destDir);
        if (cmake.exitCode != 0) {
            qWarning("%s", cmake.output.constData());
            return QString();
        }
        return destDir;
    }

    static QString Sources() { return qEnvironmentVariable("ORTHEX_SOURCE_DIR"); }

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
        QCOMPARE(QString::fromUtf8(TestFiles::Read(share + QStringLiteral("/applications/org.vellomar.Orthex.desktop"))),
                 CShellRegistration::DesktopEntry(program));
        QCOMPARE(TestFiles::Read(share + QStringLiteral("/mime/packages/orthex.xml")), CShellRegistration::MimeTypeXml());
        const QString packaging = Sources() + QStringLiteral("/packaging");
        QCOMPARE(TestFiles::Read(share + QStringLiteral("/metainfo/org.vellomar.Orthex.metainfo.xml")),
                 TestFiles::Read(packaging + QStringLiteral("/org.vellomar.Orthex.metainfo.xml")));
        QCOMPARE(TestFiles::Read(share + QStringLiteral("/bash-completion/completions/orthex-cli")),
                 TestFiles::Read(packaging + QStringLiteral("/orthex-cli.bash-completion")));
        QCOMPARE(TestFiles::Read(share + QStringLiteral("/doc/orthex/copyright")), TestFiles::Read(packaging + QStringLiteral("/copyright")));
        for (const char* compressed : {"/man/man1/orthex.1.gz", "/man/man1/orthex-cli.1.gz", "/doc/orthex/changelog.gz"})
            QVERIFY2(TestFiles::Read(share + QLatin1String(compressed)).startsWith("\x1f\x8b"), compressed);

        const QString sources = Sources() + QStringLiteral("/src/app/resources");
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
        QVERIFY(!QFileInfo::exists(dataHome + QStringLiteral("/applications/org.vellomar.Orthex.desktop")));

        QProcess cli;
        cli.start(root + QStringLiteral("/bin/orthex-cli"), {QStringLiteral("--help")});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), 0);
        QVERIFY(cli.readAllStandardOutput().startsWith("usage: orthex-cli COMMAND"));
    }

    // The version of the package is the one its metadata, changelog and manual pages name.
    void metadataNamesTheVersion_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("AppStream, newest release") << "org.vellomar.Orthex.metainfo.xml" << "<release version=\"([^\"]+)\"";
        QTest::newRow("changelog, newest entry") << "changelog" << "^orthex \\(([^)]+)\\)";
        QTest::newRow("orthex(1)") << "orthex.1" << "^\\.TH .* \"Orthex ([^\"]+)\"";
        QTest::newRow("orthex-cli(1)") << "orthex-cli.1" << "^\\.TH .* \"Orthex ([^\"]+)\"";
    }

    void metadataNamesTheVersion()
    {
        QFETCH(QString, file);
        QFETCH(QString, pattern);
        const QString text = QString::fromUtf8(TestFiles::Read(Sources() + QStringLiteral("/packaging/") + file));
        const QRegularExpressionMatch match =
            QRegularExpression(pattern, QRegularExpression::MultilineOption).match(text);
        QVERIFY2(match.hasMatch(), qPrintable(file));
        QCOMPARE(match.captured(1), QStringLiteral(ORTHEX_VERSION));
    }

    // Each validator finds neither an error nor a warning; what it says is printed.
    void validatorsAcceptThePackage_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");   // PACKAGE: the .deb; SHARE: the installed share folder
        QTest::addColumn<QString>("allowed");    // a line of the output that is no complaint
        QTest::newRow("AppStream metadata")
            << "appstreamcli" << QStringList{"validate", "--no-net", "--strict", "SHARE/metainfo/org.vellomar.Orthex.metainfo.xml"}
            << "^$|^✔ Validation was successful";
        QTest::newRow("desktop entry")
            << "desktop-file-validate" << QStringList{"SHARE/applications/org.vellomar.Orthex.desktop"} << "^$";
        // Its infos (lintian -I) are in the README; run as root, lintian says so first.
        QTest::newRow("Debian package")
            << "lintian" << QStringList{"--fail-on", "error,warning", "--tag-display-limit", "0", "PACKAGE"}
            << "^$|^running with root privileges is not recommended!$";
    }

    void validatorsAcceptThePackage()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        QFETCH(QString, allowed);
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(tool + QStringLiteral(" is not installed (scripts/install-deps installs it)")));
        static const QString stage = Install(QStringLiteral("/usr"), QStringLiteral("validators"));
        QVERIFY2(!stage.isEmpty(), "cmake --install failed");
        args.replaceInStrings(QRegularExpression(QStringLiteral("^SHARE")), stage + QStringLiteral("/usr/share"));
        if (args.contains(QStringLiteral("PACKAGE")))
            args.replaceInStrings(QRegularExpression(QStringLiteral("^PACKAGE$")), Package());
        QVERIFY2(!args.contains(QString()), "cpack made no package");

        const Run run = Execute(tool, args);
        qInfo("%s %s:\n%s", qPrintable(tool), qPrintable(args.join(QLatin1Char(' '))), run.output.constData());
        QCOMPARE(run.exitCode, 0);
        const QRegularExpression allowedLine(allowed);
        for (const QString& line : QString::fromUtf8(run.output).split(QLatin1Char('\n')))
            QVERIFY2(allowedLine.match(line).hasMatch(), qPrintable(line));
    }

private:
    // The .deb that `make package` makes, made by cpack into the test's temporary folder.
    static QString Package()
    {
        const QString folder = CTestEnvironment::Instance().Root() + QStringLiteral("/package");
        const Run cpack = Execute(QStringLiteral(ORTHEX_CPACK_COMMAND),
                                  {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), folder,
                                   QStringLiteral("--config"), QStringLiteral(ORTHEX_BINARY_DIR "/CPackConfig.cmake")});
        const QStringList debs = QDir(folder).entryList({QStringLiteral("*.deb")}, QDir::Files);
        if (cpack.exitCode != 0 || debs.size() != 1) {
            qWarning("%s", cpack.output.constData());
            return QString();
        }
        return folder + QLatin1Char('/') + debs.first();
    }
};

ORTHEX_TEST_MAIN(InstallTest)
#include "install_test.moc"
