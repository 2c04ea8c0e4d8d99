#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "testing/testusers.h"
#include "users/teacherpassword.h"

#include <QScopeGuard>
#include <QtTest>

class TeacherPasswordTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What the file holds decides; a file that is not understood keeps protection on and lets
    // no password through, so only removing it resets the password.
    void matches_data()
    {
        QTest::addColumn<QByteArray>("content");  // "<none>": no file
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("set");
        QTest::addColumn<bool>("matches");
        const QByteArray line = CTeacherPassword::Line(QStringLiteral("Eule 7"), "0123456789abcdef", 1000) + '\n';
        QTest::newRow("no file: off") << QByteArray("<none>") << "anything" << false << true;
        QTest::newRow("the password") << line << "Eule 7" << true << true;
        QTest::newRow("another case") << line << "eule 7" << true << false;
        QTest::newRow("empty") << line << "" << true << false;
        QTest::newRow("empty file") << QByteArray() << "" << true << false;
        QTest::newRow("not ours") << QByteArray("secret\n") << "secret" << true << false;
        QTest::newRow("a key cut short") << line.left(line.size() - 5) << "Eule 7" << true << false;
        QTest::newRow("iterations beyond reason")
            << CTeacherPassword::Line(QStringLiteral("x"), "salt", 1).replace("$1$", "$999999999$") << "x" << true
            << false;
    }
    void matches()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, typed);
        QFETCH(bool, set);
        QFETCH(bool, matches);
        const QString folder = TestFiles::InRoot(QStringLiteral("match"));
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        if (content != "<none>")
            QVERIFY(TestFiles::Write(CTeacherPassword::PathIn(folder), content));
        const CTeacherPassword password(folder);
        QCOMPARE(password.IsSet(), set);
        QCOMPARE(password.Matches(typed), matches);
    }

    // Setting writes a salted key, never the password, and touches no other file; an empty
    // password turns protection off.
    void set()
    {
        const QString folder = TestFiles::InRoot(QStringLiteral("set"));
        QDir().mkpath(folder);
        TestUsers::Write(folder, {{QStringLiteral("Ann"), QStringLiteral("pw")}});
        const QByteArray users = TestFiles::Read(CUserFile::PathIn(folder));
        const CTeacherPassword password(folder);
        QVERIFY(password.Set(QStringLiteral("Eule 7")));
        const QByteArray first = TestFiles::Read(CTeacherPassword::PathIn(folder));
        QVERIFY(first.startsWith("pbkdf2-sha256$100000$"));
        QVERIFY(!first.contains("Eule"));
        QVERIFY(password.Matches(QStringLiteral("Eule 7")));
        QVERIFY(!password.Matches(QStringLiteral("Eule 8")));
        QVERIFY(password.Set(QStringLiteral("Eule 7")));
        QVERIFY(TestFiles::Read(CTeacherPassword::PathIn(folder)) != first);  // a fresh salt
        QCOMPARE(TestFiles::Read(CUserFile::PathIn(folder)), users);
        QVERIFY(password.Set(QString()));
        QVERIFY(!password.IsSet());
        QCOMPARE(TestFiles::FilesIn(folder), QStringList{CUserFile::FileName()});
    }

    // The administrator's file decides alone, whatever the user folder holds, and is never
    // changed; without one the folder's decides.
    void anAdministratorsFileOverridesTheFolders_data()
    {
        QTest::addColumn<QByteArray>("system");  // "<none>": no file
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<bool>("systemWide");
        QTest::addColumn<bool>("set");
        QTest::addColumn<QString>("matching");  // a password that passes; "<none>": none does
        const QByteArray admin = CTeacherPassword::Line(QStringLiteral("Eule 7"), "salt", 1000) + '\n';
        const QByteArray pupil = CTeacherPassword::Line(QStringLiteral("mine"), "salt", 1000) + '\n';
        QTest::newRow("no administrator's file") << QByteArray("<none>") << pupil << false << true << "mine";
        QTest::newRow("none anywhere") << QByteArray("<none>") << QByteArray("<none>") << false << false << "anything";
        QTest::newRow("the administrator's") << admin << pupil << true << true << "Eule 7";
        QTest::newRow("the administrator's, none in the folder") << admin << QByteArray("<none>") << true << true << "Eule 7";
        QTest::newRow("the administrator's, not understood") << QByteArray("?") << pupil << true << true << "<none>";
    }
    void anAdministratorsFileOverridesTheFolders()
    {
        QFETCH(QByteArray, system);
        QFETCH(QByteArray, folder);
        QFETCH(bool, systemWide);
        QFETCH(bool, set);
        QFETCH(QString, matching);
        if (!CTeacherPassword::SystemWidePath().isEmpty())
            QSKIP("this computer's administrator has set a teacher password, which no test may hide");
        const QString systemFolder = TestFiles::InRoot(QStringLiteral("system"));
        const QString userFolder = TestFiles::InRoot(QStringLiteral("users"));
        for (const QString& f : {systemFolder, userFolder}) {
            QDir(f).removeRecursively();
            QDir().mkpath(f);
        }
        if (system != "<none>")
            QVERIFY(TestFiles::Write(CTeacherPassword::PathIn(systemFolder), system));
        if (folder != "<none>")
            QVERIFY(TestFiles::Write(CTeacherPassword::PathIn(userFolder), folder));
        qputenv("ORTHEX_SYSTEM_CONFIG_DIR", QFile::encodeName(systemFolder));
        const auto unset = qScopeGuard([] { qunsetenv("ORTHEX_SYSTEM_CONFIG_DIR"); });
        const CTeacherPassword password(userFolder);
        QCOMPARE(password.IsSystemWide(), systemWide);
        QCOMPARE(password.IsSet(), set);
        QCOMPARE(password.Path(), CTeacherPassword::PathIn(systemWide ? systemFolder : userFolder));
        if (matching != QLatin1String("<none>"))
            QVERIFY(password.Matches(matching));
        QVERIFY(!password.Matches(QStringLiteral("wrong")) || !set);
        if (systemWide) {
            QString error;
            QVERIFY(!password.Set(QString(), &error));
            QVERIFY(!password.Set(QStringLiteral("new"), &error));
            QVERIFY(!error.isEmpty());
            QCOMPARE(TestFiles::Read(CTeacherPassword::PathIn(systemFolder)), system);
        }
    }
};

ORTHEX_TEST_MAIN(TeacherPasswordTest)
#include "teacherpassword_test.moc"
