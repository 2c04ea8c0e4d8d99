#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "users/teachergate.h"
#include "users/teacherpassword.h"

#include <QScopeGuard>
#include <QtTest>

namespace {
// Answers the password dialog with the texts in turn ("<cancel>" cancels) and keeps the prompts.
struct SAnswers {
    QStringList answers;
    QStringList prompts;
    explicit SAnswers(const QStringList& texts) : answers(texts)
    {
        TeacherGate::SetAskFunction([this](QWidget*, const QString& prompt) -> std::optional<QString> {
            prompts << prompt;
            if (answers.isEmpty() || answers.first() == QLatin1String("<cancel>"))
                return std::nullopt;
            return answers.takeFirst();
        });
    }
    ~SAnswers() { TeacherGate::SetAskFunction({}); }
};

QString freshFolder(const QString& password)
{
    const QString folder = TestFiles::InRoot(QStringLiteral("gate"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    // Few iterations, so the test stays quick; what the file says counts.
    if (!password.isEmpty())
        TestFiles::Write(CTeacherPassword::PathIn(folder), CTeacherPassword::Line(password, "salt", 1000));
    return folder;
}
}  // namespace

class TeacherGateTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void allow_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("none set: nothing asked") << "" << QStringList() << true << 0 << QStringList();
        QTest::newRow("right") << "Eule 7" << QStringList{"Eule 7"} << true << 1 << QStringList();
        QTest::newRow("wrong") << "Eule 7" << QStringList{"eule 7"} << false << 1
                               << QStringList{"That is not the teacher password."};
        QTest::newRow("cancelled") << "Eule 7" << QStringList{"<cancel>"} << false << 1 << QStringList();
    }
    void allow()
    {
        QFETCH(QString, password);
        QFETCH(QStringList, answers);
        QFETCH(bool, allowed);
        QFETCH(int, asked);
        QFETCH(QStringList, messages);
        const QString folder = freshFolder(password);
        CRecordingMessageSink sink;
        SAnswers dialog(answers);
        QCOMPARE(TeacherGate::Allow(nullptr, folder), allowed);
        QCOMPARE(dialog.prompts.size(), asked);
        QCOMPARE(sink.Texts(), messages);
    }

    // The present password first, then the new one twice; empty removes it.
    void change_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("works");  // the password afterwards ("" for none)
        QTest::newRow("set the first") << "" << QStringList{"Eule", "Eule"} << true << "Eule";
        QTest::newRow("change") << "Eule" << QStringList{"Eule", "Kauz", "Kauz"} << true << "Kauz";
        QTest::newRow("remove") << "Eule" << QStringList{"Eule", "", ""} << true << "";
        QTest::newRow("the two differ") << "" << QStringList{"Eule", "Eulr"} << false << "";
        QTest::newRow("wrong present one") << "Eule" << QStringList{"Kauz", "Kauz", "Kauz"} << false << "Eule";
    }
    void change()
    {
        QFETCH(QString, password);
        QFETCH(QStringList, answers);
        QFETCH(bool, changed);
        QFETCH(QString, works);
        const QString folder = freshFolder(password);
        CRecordingMessageSink sink;
        SAnswers dialog(answers);
        QCOMPARE(TeacherGate::Change(nullptr, folder), changed);
        const CTeacherPassword stored(folder);
        QCOMPARE(stored.IsSet(), !works.isEmpty());
        if (!works.isEmpty())
            QVERIFY(stored.Matches(works));
    }

    // The administrator's password opens the gate; the options page does not change it and says
    // so, asking nothing.
    void anAdministratorsPasswordIsTheGate()
    {
        if (!CTeacherPassword::SystemWidePath().isEmpty())
            QSKIP("this computer's administrator has set a teacher password, which no test may hide");
        const QString system = freshFolder(QStringLiteral("Eule 7"));
        const QString folder = TestFiles::InRoot(QStringLiteral("pupils"));
        QDir().mkpath(folder);
        QVERIFY(TestFiles::Write(CTeacherPassword::PathIn(folder), CTeacherPassword::Line(QStringLiteral("mine"), "salt", 1000)));
        qputenv("ORTHEX_SYSTEM_CONFIG_DIR", QFile::encodeName(system));
        const auto unset = qScopeGuard([] { qunsetenv("ORTHEX_SYSTEM_CONFIG_DIR"); });
        CRecordingMessageSink sink;
        {
            SAnswers dialog({QStringLiteral("mine"), QStringLiteral("Eule 7")});
            QVERIFY(!TeacherGate::Allow(nullptr, folder));
            QVERIFY(TeacherGate::Allow(nullptr, folder));
        }
        sink.Clear();
        SAnswers dialog({QStringLiteral("Eule 7"), QString(), QString()});
        QVERIFY(!TeacherGate::Change(nullptr, folder));
        QVERIFY(dialog.prompts.isEmpty());
        QCOMPARE(sink.Texts(), QStringList{TeacherGate::SystemWideText(CTeacherPassword::PathIn(system))});
        QVERIFY(CTeacherPassword(folder).Matches(QStringLiteral("Eule 7")));
    }
};

ORTHEX_TEST_MAIN(TeacherGateTest)
#include "teachergate_test.moc"
