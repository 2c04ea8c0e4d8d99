#include "users/appusersession.h"
#include "users/loginruns.h"
#include "users/logindlg.h"
#include "widgets/simplecombo.h"
#include "base/appfolders.h"
#include "base/appsettings.h"
#include "document/orthexdoc.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "testing/testusers.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
// Answers the log-in dialog runs from a script, one answer a run, and counts them.
struct SScriptedDialog {
    QList<std::optional<SLogInChoice>> answers;
    QStringList folders;
    QStringList names;

    LogInDialogRunner Runner()
    {
        return [this](const QString& folder, const QString& name) -> std::optional<SLogInChoice> {
            folders.append(folder);
            names.append(name);
            if (answers.isEmpty())
                return std::nullopt;
            return answers.takeFirst();
        };
    }
};

std::optional<SLogInChoice> ok(const QString& name, bool autoLogIn = false)
{
    return SLogInChoice{name, autoLogIn};
}

std::unique_ptr<CGrade> grade(const QString& list)
{
    auto g = std::make_unique<CGrade>();
    g->SetListName(list);
    g->SetDateText(QStringLiteral("12/08/26, 03:10 AM"));
    g->SetCorrectCount(8);
    g->SetWordCount(10);
    return g;
}

QStringList gradeNames(const COrthexDoc& doc)
{
    QStringList names;
    for (const CGrade& g : doc.Results().Grades())
        names.append(g.GetListName());
    return names;
}
}  // namespace

class LogInRunsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CAppSettings> m_settings;
    std::unique_ptr<CAppFolders> m_folders;
    std::unique_ptr<CRecordingMessageSink> m_sink;
    SScriptedDialog m_dialog;

    QString folder() const { return m_dir->path() + QStringLiteral("/users"); }
    QString file(const QString& name) const { return folder() + QLatin1Char('/') + name; }
    std::unique_ptr<COrthexDoc> makeDocument()
    {
        return std::make_unique<COrthexDoc>(std::make_unique<CAppUserSession>(*m_folders, m_dialog.Runner()));
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(CTestEnvironment::Instance().Root() + QStringLiteral("/runsXXXXXX"));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("users")));
        m_settings = std::make_unique<CAppSettings>();
        m_settings->SetAutoLogInName(QString());
        m_folders = std::make_unique<CAppFolders>(*m_settings);
        m_folders->SetUserFolder(folder());
        m_sink = std::make_unique<CRecordingMessageSink>();
        m_dialog = {};
    }
    void cleanup()
    {
        m_sink.reset();
        m_folders.reset();
        m_settings.reset();
        m_dir.reset();
    }

    // A user with a password is never logged in without it: "Auto" naming one (or a user the
    // damaged user file may hide) shows the dialog with the name filled in.
    void logInAtStart_data()
    {
        QTest::addColumn<QString>("autoBefore");
        QTest::addColumn<QByteArray>("users");  // Zed's stored password, "<damaged>", or empty: no file
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("nameGiven");  // "<none>": no dialog
        QTest::addColumn<QString>("autoAfter");
        QTest::newRow("auto, no dialog") << "Zed" << QByteArray() << false << false << "Zed" << "<none>" << "Zed";
        QTest::newRow("auto, blank password") << "Zed" << QByteArray(" ") << false << false << "Zed" << "<none>" << "Zed";
        QTest::newRow("auto, another user's password") << "Zed " << QByteArray("pw") << false << false << "Zed " << "<none>" << "Zed ";
        QTest::newRow("auto, a password: asked") << "Zed" << QByteArray("pw") << false << true << "Kim" << "Zed" << "Kim";
        QTest::newRow("auto, a password: box cleared") << "Zed" << QByteArray("pw") << false << false << "Kim" << "Zed" << "";
        QTest::newRow("auto, a password: cancelled") << "Zed" << QByteArray("pw") << true << true << "" << "Zed" << "Zed";
        QTest::newRow("auto, damaged user file") << "Zed" << QByteArray("<damaged>") << false << true << "Kim" << "Zed" << "Kim";
        QTest::newRow("dialog, box clear") << "" << QByteArray() << false << false << "Kim" << "" << "";
        QTest::newRow("dialog, box ticked") << "" << QByteArray() << false << true << "Kim" << "" << "Kim";
        QTest::newRow("dialog cancelled") << "" << QByteArray() << true << true << "" << "" << "";
        QTest::newRow("auto not a file name") << "a/b" << QByteArray() << false << false << "Kim" << "" << "a/b";
        QTest::newRow("auto too long") << QString(26, QLatin1Char('z')) << QByteArray() << false << true << "Kim" << "" << "Kim";
    }
    void logInAtStart()
    {
        QFETCH(QString, autoBefore);
        QFETCH(QByteArray, users);
        QFETCH(bool, cancel);
        QFETCH(bool, tick);
        QFETCH(QString, user);
        QFETCH(QString, nameGiven);
        QFETCH(QString, autoAfter);
        m_settings->SetAutoLogInName(autoBefore);
        if (users == "<damaged>")
            QVERIFY(TestFiles::Write(CUserFile::PathIn(folder()), QByteArray("\x05\x00\xFF\xFF", 4)));
        else if (!users.isEmpty())
            TestUsers::Write(folder(), {{QStringLiteral("Zed"), QString::fromUtf8(users)}});
        m_dialog.answers = {cancel ? std::nullopt : ok(QStringLiteral("Kim"), tick)};
        CLogInRuns runs(*m_folders, m_dialog.Runner());
        QCOMPARE(runs.LogInAtStart(), user);
        QCOMPARE(m_dialog.names, nameGiven == QLatin1String("<none>") ? QStringList() : QStringList{nameGiven});
        if (!m_dialog.folders.isEmpty())
            QCOMPARE(m_dialog.folders.at(0), folder());
        QCOMPARE(m_settings->AutoLogInName(), autoAfter);
        QVERIFY(m_sink->Texts().isEmpty());
    }

    void logInAgain_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("autoAfter");
        QTest::newRow("box ticked") << false << true << "Kim" << "Kim";
        QTest::newRow("box clear empties Auto") << false << false << "Kim" << "";
        QTest::newRow("cancelled leaves Auto") << true << true << "" << "Zed";
    }
    void logInAgain()
    {
        QFETCH(bool, cancel);
        QFETCH(bool, tick);
        QFETCH(QString, user);
        QFETCH(QString, autoAfter);
        m_settings->SetAutoLogInName(QStringLiteral("Zed"));
        m_dialog.answers = {cancel ? std::nullopt : ok(QStringLiteral("Kim"), tick)};
        CLogInRuns runs(*m_folders, m_dialog.Runner());
        QCOMPARE(runs.LogInAgain(), user);
        QCOMPARE(m_dialog.folders.size(), 1);
        QCOMPARE(m_settings->AutoLogInName(), autoAfter);
    }

    void aFirstRunWritesAllThreeFilesAtTheEnd()
    {
        m_dialog.answers = {ok(QStringLiteral("Anna"))};
        {
            auto doc = makeDocument();
            QCOMPARE(doc->CurrentUser(), QStringLiteral("Anna"));
            QVERIFY(doc->Results().Grades().isEmpty());
            QVERIFY(m_sink->Texts().isEmpty());
            QVERIFY(!QFile::exists(file(QStringLiteral("Anna.sp3"))));
            doc->Results().SetChanged(true);  // a test was started
            doc->Results().Grades().AddHead(grade(QStringLiteral("Week1--Stopped Test")));
        }
        QCOMPARE(TestFiles::Read(file(QStringLiteral("Anna.sp4"))), QByteArray("\x00\x00", 2));
        QCOMPARE(TestFiles::Read(file(QStringLiteral("Anna.sp5"))), QByteArray("\x00\x00", 2));
        m_dialog.answers = {ok(QStringLiteral("Anna"))};
        auto doc = makeDocument();
        QCOMPARE(gradeNames(*doc), QStringList{QStringLiteral("Week1--Stopped Test")});
        QVERIFY(!doc->Results().IsChanged());
    }

    void nothingChangedWritesNothing()
    {
        m_dialog.answers = {ok(QStringLiteral("Anna"))};
        makeDocument().reset();
        QVERIFY(QDir(folder()).entryList(QDir::Files).isEmpty());
    }

    void nobodyLoggedInTouchesNoFile()
    {
        m_dialog.answers = {std::nullopt};
        auto doc = makeDocument();
        QCOMPARE(doc->CurrentUser(), QString());
        doc->Results().SetChanged(true);
        doc.reset();
        QVERIFY(QDir(folder()).entryList(QDir::Files).isEmpty());
    }

    void changingTheUser_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("next");
        QTest::newRow("another user") << false << QStringLiteral("Bob");
        QTest::newRow("the same user") << false << QStringLiteral("Anna");
        QTest::newRow("cancelled") << true << QString();
    }
    void changingTheUser()
    {
        QFETCH(bool, cancel);
        QFETCH(QString, next);
        {
            // Bob has results from before.
            CRecordList<CGrade> grades;
            grades.AddTail(grade(QStringLiteral("Bob's")));
            CRecordList<CMissed> missed;
            CRecordList<CVocabulary> vocabulary;
            QVERIFY(CResultFiles(folder()).Save(QStringLiteral("Bob"), {grades, missed, vocabulary}));
        }
        m_dialog.answers = {ok(QStringLiteral("Anna")), cancel ? std::nullopt : ok(next)};
        auto doc = makeDocument();
        doc->Results().SetChanged(true);
        doc->Results().Grades().AddHead(grade(QStringLiteral("Anna's")));
        doc->ChangeUser();
        QCOMPARE(doc->CurrentUser(), next);
        QVERIFY(!doc->Results().IsChanged());
        const QStringList expected = next == QLatin1String("Bob")    ? QStringList{QStringLiteral("Bob's")}
                                     : next == QLatin1String("Anna") ? QStringList{QStringLiteral("Anna's")}
                                                                     : QStringList();
        QCOMPARE(gradeNames(*doc), expected);
        QVERIFY(TestFiles::Read(file(QStringLiteral("Anna.sp3"))).contains(QByteArray("A\0n\0n\0a\0'\0s\0", 12)));
        QVERIFY(m_sink->Texts().isEmpty());
    }

    void aDamagedFileIsReportedAndTheRestLoaded()
    {
        m_dialog.answers = {ok(QStringLiteral("Anna"))};
        {
            auto doc = makeDocument();
            doc->Results().SetChanged(true);
            doc->Results().Grades().AddHead(grade(QStringLiteral("kept")));
        }
        QFile sp4(file(QStringLiteral("Anna.sp4")));
        QVERIFY(sp4.open(QIODevice::WriteOnly));
        sp4.write("\x01\x00\xFF\xFF", 4);
        sp4.close();
        m_dialog.answers = {ok(QStringLiteral("Anna"))};
        auto doc = makeDocument();
        QCOMPARE(gradeNames(*doc), QStringList{QStringLiteral("kept")});
        QCOMPARE(m_sink->Texts().size(), 1);
        QVERIFY(m_sink->Texts().at(0).contains(file(QStringLiteral("Anna.sp4"))));
    }

    // Results that cannot be written are reported and kept: they come back when the user logs
    // in again and are written once the folder can take them.
    void resultsThatCannotBeWrittenAreKept()
    {
        const QString later = m_dir->path() + QStringLiteral("/later");
        m_folders->SetUserFolder(later);
        m_dialog.answers = {ok(QStringLiteral("Anna")), ok(QStringLiteral("Bob")), ok(QStringLiteral("Anna"))};
        auto doc = makeDocument();
        doc->Results().SetChanged(true);
        doc->Results().Grades().AddHead(grade(QStringLiteral("unsaved")));
        doc->ChangeUser();  // to Bob: Anna's save fails
        QCOMPARE(m_sink->Texts().size(), 1);
        QVERIFY(m_sink->Texts().at(0).contains(later + QStringLiteral("/Anna.sp3")));
        QVERIFY(doc->Results().Grades().isEmpty());
        doc->ChangeUser();  // back to Anna
        QCOMPARE(gradeNames(*doc), QStringList{QStringLiteral("unsaved")});
        QVERIFY(QDir().mkdir(later));
        doc.reset();  // program end: written now, though nothing changed since
        QVERIFY(TestFiles::Read(later + QStringLiteral("/Anna.sp3")).contains(QByteArray("u\0n\0s\0a\0v\0e\0d\0", 14)));
    }

    void theRealDialogIsRunByDefault()
    {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<CLogInDlg*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            QTest::keyClicks(dialog->NameBox()->Edit(), QStringLiteral("Rae"));
            dialog->AutoLogInCheck()->setChecked(true);
            QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        });
        const std::optional<SLogInChoice> choice = CLogInRuns::RunLogInDialog(folder());
        QVERIFY(choice.has_value());
        QCOMPARE(choice->name, QStringLiteral("Rae"));
        QVERIFY(choice->autoLogIn);
        CUserFile users(folder());
        users.OpenUserFile();
        users.LoadUsers();
        QCOMPARE(users.Names(), QStringList{QStringLiteral("Rae")});
    }

    // The real dialog, given the automatic log-in's name, shows it with the box ticked and waits
    // for the password.
    void theRealDialogShowsTheAutomaticName()
    {
        TestUsers::Write(folder(), {{QStringLiteral("Rae"), QStringLiteral("pw")}});
        QString shownName;
        bool ticked = false;
        bool passwordFocused = false;
        // The dialog waits for the user file first (with the wait dialog), so look until it is up.
        std::function<void()> answer = [&] {
            auto* dialog = qobject_cast<CLogInDlg*>(QApplication::activeModalWidget());
            if (!dialog) {
                QTimer::singleShot(10, answer);
                return;
            }
            shownName = dialog->NameBox()->Text();
            ticked = dialog->AutoLogInCheck()->isChecked();
            passwordFocused = dialog->focusWidget() == dialog->PasswordEdit();
            QTest::keyClicks(dialog->PasswordEdit(), QStringLiteral("pw"));
            QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        };
        QTimer::singleShot(0, answer);
        const std::optional<SLogInChoice> choice = CLogInRuns::RunLogInDialog(folder(), QStringLiteral("Rae"));
        QVERIFY(choice.has_value());
        QCOMPARE(shownName, QStringLiteral("Rae"));
        QVERIFY(ticked);
        QVERIFY(passwordFocused);
        QCOMPARE(choice->name, QStringLiteral("Rae"));
        QVERIFY(choice->autoLogIn);
        QVERIFY(m_sink->Texts().isEmpty());
    }
};

ORTHEX_TEST_MAIN(LogInRunsTest)
#include "loginruns_test.moc"
