#include "app/shellregistration.h"
#include "testing/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class ShellRegistrationTest : public QObject
{
    Q_OBJECT

private:
    static QString dataHome() { return qEnvironmentVariable("XDG_DATA_HOME"); }
    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init()
    {
        QDir(dataHome()).removeRecursively();
        QDir().mkpath(dataHome());
        qputenv("XDG_DATA_DIRS", QFile::encodeName(CTestEnvironment::Instance().Root() + QStringLiteral("/system")));
    }

    void writesTheEntryAndTheTypeOnce()
    {
        const auto first = CShellRegistration::Register(QStringLiteral("/opt/my orthex/orthex"), "<svg/>");
        QVERIFY(!first.systemWide);
        QCOMPARE(first.written.size(), 3);
        const QByteArray desktop = read(dataHome() + QStringLiteral("/applications/org.vellomar.Orthex.desktop"));
        QVERIFY(desktop.contains("Exec=\"/opt/my orthex/orthex\" %f\n"));
        QVERIFY(desktop.contains("MimeType=application/x-orthex;\n"));
        const QByteArray mime = read(dataHome() + QStringLiteral("/mime/packages/orthex.xml"));
        QVERIFY(mime.contains("<glob pattern=\"*.orthex\"/>"));
        QVERIFY(mime.contains("<comment>Orthex Files</comment>"));

        const auto second = CShellRegistration::Register(QStringLiteral("/opt/my orthex/orthex"), "<svg/>");
        QVERIFY2(second.written.isEmpty(), "unchanged content is not written again");

        const auto moved = CShellRegistration::Register(QStringLiteral("/usr/local/bin/orthex"), "<svg/>");
        QCOMPARE(moved.written, QStringList{dataHome() + QStringLiteral("/applications/org.vellomar.Orthex.desktop")});
    }

    void aSystemWideEntryIsLeftToTheInstaller()
    {
        const QString system = CTestEnvironment::Instance().Root() + QStringLiteral("/system");
        QVERIFY(QDir().mkpath(system + QStringLiteral("/applications")));
        QFile installed(system + QStringLiteral("/applications/org.vellomar.Orthex.desktop"));
        QVERIFY(installed.open(QIODevice::WriteOnly));
        installed.close();
        const auto result = CShellRegistration::Register(QStringLiteral("/usr/bin/orthex"), "<svg/>");
        QVERIFY(result.systemWide);
        QVERIFY(result.written.isEmpty());
        QVERIFY(!QFile::exists(dataHome() + QStringLiteral("/applications/org.vellomar.Orthex.desktop")));
        QDir(system).removeRecursively();
    }

    // What versions before the application id wrote as orthex.desktop goes; anything else stays.
    void anEarlierEntryIsRemovedWhenOrthexWroteIt_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("systemWide");
        QTest::addColumn<bool>("removed");
        const QByteArray earlier =
            "[Desktop Entry]\nType=Application\nName=Orthex\nGenericName=Spelling Tests\n"
            "Comment=Practise spelling tests with recorded words\nExec=\"/opt/my \\\"orthex\\\"/orthex\" %f\n"
            "Icon=orthex\nTerminal=false\nCategories=Education;Languages;\nMimeType=application/x-orthex;\n";
        QTest::newRow("written by Orthex") << earlier << false << true;
        QTest::newRow("written by Orthex, now installed system-wide") << earlier << true << true;
        QTest::newRow("changed by the user") << QByteArray(earlier).replace("Name=Orthex", "Name=Spelling") << false << false;
        QTest::newRow("one more line") << earlier + "NoDisplay=true\n" << false << false;
        QTest::newRow("Exec on two lines") << QByteArray(earlier).replace("/opt/my", "/opt\nmy") << false << false;
    }

    void anEarlierEntryIsRemovedWhenOrthexWroteIt()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, systemWide);
        QFETCH(bool, removed);
        const QString system = CTestEnvironment::Instance().Root() + QStringLiteral("/system");
        QDir(system).removeRecursively();
        if (systemWide) {
            QVERIFY(QDir().mkpath(system + QStringLiteral("/applications")));
            QFile installed(system + QStringLiteral("/applications/org.vellomar.Orthex.desktop"));
            QVERIFY(installed.open(QIODevice::WriteOnly));
        }
        const QString earlier = dataHome() + QStringLiteral("/applications/orthex.desktop");
        QVERIFY(QDir().mkpath(dataHome() + QStringLiteral("/applications")));
        QFile file(earlier);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();

        const auto result = CShellRegistration::Register(QStringLiteral("/usr/bin/orthex"), "<svg/>");
        QDir(system).removeRecursively();
        QCOMPARE(result.systemWide, systemWide);
        QCOMPARE(result.removed, removed ? QStringList{earlier} : QStringList());
        QCOMPARE(QFile::exists(earlier), !removed);
        if (!removed)
            QCOMPARE(read(earlier), content);
    }

    void execQuotesSpecialCharacters_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/usr/bin/orthex" << "Exec=\"/usr/bin/orthex\" %f";
        QTest::newRow("dollar and quote") << "/tmp/a$b\"c" << "Exec=\"/tmp/a\\$b\\\"c\" %f";
    }

    void execQuotesSpecialCharacters()
    {
        QFETCH(QString, path);
        QFETCH(QString, exec);
        QVERIFY(CShellRegistration::DesktopEntry(path).split(QLatin1Char('\n')).contains(exec));
    }
};

ORTHEX_TEST_MAIN(ShellRegistrationTest)
#include "shellregistration_test.moc"
