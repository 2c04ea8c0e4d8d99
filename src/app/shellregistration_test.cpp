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
        const QByteArray desktop = read(dataHome() + QStringLiteral("/applications/orthex.desktop"));
        QVERIFY(desktop.contains("Exec=\"/opt/my orthex/orthex\" %f\n"));
        QVERIFY(desktop.contains("MimeType=application/x-orthex;\n"));
        const QByteArray mime = read(dataHome() + QStringLiteral("/mime/packages/orthex.xml"));
        QVERIFY(mime.contains("<glob pattern=\"*.orthex\"/>"));
        QVERIFY(mime.contains("<comment>Orthex Files</comment>"));

        const auto second = CShellRegistration::Register(QStringLiteral("/opt/my orthex/orthex"), "<svg/>");
        QVERIFY2(second.written.isEmpty(), "unchanged content is not written again");

        const auto moved = CShellRegistration::Register(QStringLiteral("/usr/local/bin/orthex"), "<svg/>");
        QCOMPARE(moved.written, QStringList{dataHome() + QStringLiteral("/applications/orthex.desktop")});
    }

    void aSystemWideEntryIsLeftToTheInstaller()
    {
        const QString system = CTestEnvironment::Instance().Root() + QStringLiteral("/system");
        QVERIFY(QDir().mkpath(system + QStringLiteral("/applications")));
        QFile installed(system + QStringLiteral("/applications/orthex.desktop"));
        QVERIFY(installed.open(QIODevice::WriteOnly));
        installed.close();
        const auto result = CShellRegistration::Register(QStringLiteral("/usr/bin/orthex"), "<svg/>");
        QVERIFY(result.systemWide);
        QVERIFY(result.written.isEmpty());
        QVERIFY(!QFile::exists(dataHome() + QStringLiteral("/applications/orthex.desktop")));
        QDir(system).removeRecursively();
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
