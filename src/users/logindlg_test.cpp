#include "users/logindlg.h"
#include "widgets/simplecombo.h"
#include "users/teachergate.h"
#include "users/teacherpassword.h"
#include "users/usernames.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "testing/testusers.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using TestUsers::SUserList;

class LogInDlgTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CRecordingMessageSink> m_sink;
    QStringList m_questions;  // asked before a deletion
    bool m_answer = true;
    QString folder() const { return m_dir->path(); }

    void open(CLogInDlg& dialog, const QString& userFolder)
    {
        dialog.SetUserFolder(userFolder);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }
    void open(CLogInDlg& dialog) { open(dialog, folder()); }

    static void fill(CLogInDlg& dialog, const QString& name, const QString& password)
    {
        dialog.NameBox()->Edit()->clear();
        QTest::keyClicks(dialog.NameBox()->Edit(), name);
        dialog.PasswordEdit()->clear();
        QTest::keyClicks(dialog.PasswordEdit(), password);
    }
    static void clickOk(CLogInDlg& dialog) { QTest::mouseClick(dialog.OkButton(), Qt::LeftButton); }

    // One whole log-in: name, password, OK. Returns whether the dialog closed with OK.
    bool logIn(const QString& name, const QString& password)
    {
        CLogInDlg dialog;
        dialog.SetUserFolder(folder());
        dialog.show();
        fill(dialog, name, password);
        clickOk(dialog);
        return !dialog.isVisible() && dialog.result() == QDialog::Accepted;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(CTestEnvironment::Instance().Root() + QStringLiteral("/loginXXXXXX"));
        m_sink = std::make_unique<CRecordingMessageSink>();
        m_questions.clear();
        m_answer = true;
        CLogInDlg::SetDeleteQuestionFunction([this](QWidget*, const QString& text) {
            m_questions << text;
            return m_answer;
        });
    }
    void cleanup()
    {
        CLogInDlg::SetDeleteQuestionFunction({});
        TeacherGate::SetAskFunction({});
        m_sink.reset();
        m_dir.reset();
    }

    void theDialogHasItsTextsAndNames()
    {
        CLogInDlg dialog;
        open(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Log In To Orthex"));
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            labels.append(label->text());
        QVERIFY(labels.contains(QStringLiteral("Log in to keep a record of your work.\nA blank password is OK.")));
        QVERIFY(labels.contains(QStringLiteral("Enter a new name or select one:")));
        QVERIFY(labels.contains(QStringLiteral("Password:")));
        QCOMPARE(dialog.DeleteNameButton()->text(), QStringLiteral("Delete Name"));
        QCOMPARE(dialog.AutoLogInCheck()->text(), QStringLiteral("Log in automatically next time."));
        QCOMPARE(dialog.OkButton()->text(), QStringLiteral("OK"));
        QVERIFY(dialog.OkButton()->isDefault());
        QCOMPARE(dialog.CancelButton()->text(), QStringLiteral("Cancel"));
        QCOMPARE(dialog.PasswordEdit()->echoMode(), QLineEdit::Password);
        QVERIFY(dialog.NameBox()->List()->isVisible());
        QCOMPARE(dialog.NameBox()->Edit()->accessibleName(), QStringLiteral("Enter a new name or select one:"));
        QCOMPARE(dialog.PasswordEdit()->accessibleName(), QStringLiteral("Password:"));
        QVERIFY(!dialog.AutoLogInCheck()->isChecked());
    }

    void blankPasswords_data()
    {
        QTest::addColumn<QString>("created");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("logsIn");
        QTest::newRow("blank, then blank") << QString() << QString() << true;
        QTest::newRow("blank, then a space") << QString() << QStringLiteral(" ") << false;
        QTest::newRow("a space, then blank") << QStringLiteral(" ") << QString() << true;
        QTest::newRow("a space, then a space") << QStringLiteral(" ") << QStringLiteral(" ") << false;
        QTest::newRow("word, then word") << QStringLiteral("pw") << QStringLiteral("pw") << true;
        QTest::newRow("word, then blank") << QStringLiteral("pw") << QString() << false;
    }
    void blankPasswords()
    {
        QFETCH(QString, created);
        QFETCH(QString, typed);
        QFETCH(bool, logsIn);
        QVERIFY(logIn(QStringLiteral("Bob"), created));
        const QString stored = created.isEmpty() ? QStringLiteral(" ") : created;
        QCOMPARE(TestUsers::Read(folder()), (SUserList{{QStringLiteral("Bob"), stored}}));
        m_sink->Clear();
        QCOMPARE(logIn(QStringLiteral("Bob"), typed), logsIn);
        QCOMPARE(m_sink->Texts(), logsIn ? QStringList() : QStringList{QStringLiteral("InCorrect PassWord")});
        QCOMPARE(TestUsers::Read(folder()), (SUserList{{QStringLiteral("Bob"), stored}}));
    }

    void aNewNameLogsInAtOnce()
    {
        CLogInDlg dialog;
        open(dialog);
        fill(dialog, QStringLiteral("Kim"), QStringLiteral("pw"));
        dialog.AutoLogInCheck()->setChecked(true);
        clickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Name(), QStringLiteral("Kim"));
        QVERIFY(dialog.AutoLogIn());
        QCOMPARE(TestUsers::Read(folder()), (SUserList{{QStringLiteral("Kim"), QStringLiteral("pw")}}));
    }

    void theKeyboardAloneLogsIn()
    {
        TestUsers::Write(folder(), {{QStringLiteral("Kim"), QStringLiteral("pw")}});
        CLogInDlg dialog;
        open(dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QVERIFY(dialog.NameBox()->Edit()->hasFocus());
        QTest::keyClicks(dialog.NameBox()->Edit(), QStringLiteral("Kim"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // list, Delete Name, password
        QCOMPARE(QApplication::focusWidget(), dialog.PasswordEdit());
        QTest::keyClicks(dialog.PasswordEdit(), QStringLiteral("pw"));
        QTest::keyClick(dialog.PasswordEdit(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Name(), QStringLiteral("Kim"));
    }

    void pickingANameFillsTheNameBox()
    {
        TestUsers::Write(folder(), {{QStringLiteral("Zoe"), QStringLiteral(" ")}, {QStringLiteral("anna"), QStringLiteral(" ")}});
        CLogInDlg dialog;
        open(dialog);
        QListWidget* list = dialog.NameBox()->List();
        const QRect rect = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(dialog.NameBox()->Text(), QStringLiteral("Zoe"));
        clickOk(dialog);
        QCOMPARE(dialog.Name(), QStringLiteral("Zoe"));
    }

    void theNameBoxIsSortedAndTheFileKeepsItsOrder()
    {
        const SUserList users{{QStringLiteral("Zoe"), QStringLiteral(" ")},
                              {QStringLiteral("anna"), QStringLiteral(" ")},
                              {QStringLiteral("Bob"), QStringLiteral(" ")},
                              {QStringLiteral("Anna"), QStringLiteral(" ")}};
        TestUsers::Write(folder(), users);
        CLogInDlg dialog;
        open(dialog);
        QCOMPARE(dialog.NameBox()->Items(), (QStringList{QStringLiteral("Anna"), QStringLiteral("anna"),
                                                          QStringLiteral("Bob"), QStringLiteral("Zoe")}));
        fill(dialog, QStringLiteral("Cleo"), QString());
        clickOk(dialog);
        QCOMPARE(TestUsers::Read(folder()), (users + SUserList{{QStringLiteral("Cleo"), QStringLiteral(" ")}}));
    }

    void emptyAndMissingFilesShowNoNames_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing") << false;
        QTest::newRow("empty") << true;
    }
    void emptyAndMissingFilesShowNoNames()
    {
        QFETCH(bool, exists);
        if (exists)
            QFile(CUserFile::PathIn(folder())).open(QIODevice::WriteOnly);
        CLogInDlg dialog;
        open(dialog);
        QCOMPARE(dialog.NameBox()->Count(), 0);
        QVERIFY(QFile::exists(CUserFile::PathIn(folder())));
        QCOMPARE(QFileInfo(CUserFile::PathIn(folder())).size(), 0);
    }

    void okWithAnEmptyNameLogsNobodyIn()
    {
        TestUsers::Write(folder(), {{QStringLiteral("anna"), QStringLiteral("pw")}});
        CLogInDlg dialog;
        open(dialog);
        clickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Name(), QString());
        QCOMPARE(TestUsers::Read(folder()), (SUserList{{QStringLiteral("anna"), QStringLiteral("pw")}}));
    }

    void namesAreMatchedExactly()
    {
        TestUsers::Write(folder(), {{QStringLiteral("bob"), QStringLiteral("secret")}});
        QVERIFY(logIn(QStringLiteral("Bob"), QString()));
        QVERIFY(logIn(QStringLiteral("bob "), QString()));
        QCOMPARE(TestUsers::Read(folder()), (SUserList{{QStringLiteral("bob"), QStringLiteral("secret")},
                                                 {QStringLiteral("Bob"), QStringLiteral(" ")},
                                                 {QStringLiteral("bob "), QStringLiteral(" ")}}));
        QVERIFY(m_sink->Texts().isEmpty());
    }

    void deletingAndCancellingKeepsTheUser()
    {
        TestUsers::Write(folder(), {{QStringLiteral("anna"), QStringLiteral("pw")}});
        CLogInDlg dialog;
        open(dialog);
        fill(dialog, QStringLiteral("anna"), QStringLiteral("pw"));
        QTest::mouseClick(dialog.DeleteNameButton(), Qt::LeftButton);
        QCOMPARE(dialog.NameBox()->Count(), 0);
        QCOMPARE(dialog.NameBox()->Text(), QString());
        QCOMPARE(dialog.PasswordEdit()->text(), QString());
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(TestUsers::Read(folder()), (SUserList{{QStringLiteral("anna"), QStringLiteral("pw")}}));
    }

    void deletingNeedsThePassword_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("right password") << QStringLiteral("Anna") << QStringLiteral("b") << QStringList()
                                        << QStringList{QStringLiteral("anna")};
        QTest::newRow("the other Anna") << QStringLiteral("anna") << QStringLiteral("a") << QStringList()
                                        << QStringList{QStringLiteral("Anna")};
        QTest::newRow("wrong password") << QStringLiteral("Anna") << QStringLiteral("a")
                                        << QStringList{QStringLiteral("InCorrect PassWord")}
                                        << QStringList{QStringLiteral("Anna"), QStringLiteral("anna")};
        QTest::newRow("unknown name") << QStringLiteral("ANNA") << QStringLiteral("a") << QStringList()
                                      << QStringList{QStringLiteral("Anna"), QStringLiteral("anna")};
    }
    void deletingNeedsThePassword()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, left);
        TestUsers::Write(folder(), {{QStringLiteral("anna"), QStringLiteral("a")}, {QStringLiteral("Anna"), QStringLiteral("b")}});
        CLogInDlg dialog;
        open(dialog);
        fill(dialog, name, password);
        QTest::mouseClick(dialog.DeleteNameButton(), Qt::LeftButton);
        QCOMPARE(m_sink->Texts(), messages);
        QCOMPARE(dialog.NameBox()->Items(), left);
        QVERIFY(dialog.isVisible());
        // The deletion reaches the file at the next OK.
        const SUserList before = TestUsers::Read(folder());
        QCOMPARE(before.size(), 2);
        fill(dialog, QString(), QString());
        clickOk(dialog);
        QStringList stored;
        for (const auto& user : TestUsers::Read(folder()))
            stored.append(user.first);
        std::sort(stored.begin(), stored.end(), CSimpleComboBox::SortsBefore);
        QCOMPARE(stored, left);
    }

    // A classmate is not deleted in passing: the teacher password first when one is set, then
    // the question, whose default is No.
    void deletingAsksTheTeacherAndTheQuestion_data()
    {
        QTest::addColumn<QString>("teacher");  // the teacher password set; empty: none
        QTest::addColumn<QString>("typed");    // typed for it; "<cancel>" cancels
        QTest::addColumn<int>("answer");       // 1 Yes, 0 No, -1 the real question box, left at its default
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("messages");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("no teacher password, Yes") << "" << "" << 1 << true << 0 << true;
        QTest::newRow("no teacher password, No") << "" << "" << 0 << true << 0 << false;
        QTest::newRow("the real question: No by default") << "" << "" << -1 << true << 0 << false;
        QTest::newRow("teacher password, Yes") << "Eule 7" << "Eule 7" << 1 << true << 0 << true;
        QTest::newRow("teacher password, No") << "Eule 7" << "Eule 7" << 0 << true << 0 << false;
        QTest::newRow("teacher password wrong") << "Eule 7" << "eule 7" << 1 << false << 1 << false;
        QTest::newRow("teacher password cancelled") << "Eule 7" << "<cancel>" << 1 << false << 0 << false;
    }
    void deletingAsksTheTeacherAndTheQuestion()
    {
        QFETCH(QString, teacher);
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(int, messages);
        QFETCH(bool, deleted);
        if (!teacher.isEmpty())  // few iterations, so the test stays quick
            QVERIFY(TestFiles::Write(CTeacherPassword::PathIn(folder()), CTeacherPassword::Line(teacher, "salt", 1000)));
        int teacherAsked = 0;
        TeacherGate::SetAskFunction([&](QWidget*, const QString&) -> std::optional<QString> {
            ++teacherAsked;
            return typed == QLatin1String("<cancel>") ? std::nullopt : std::optional<QString>(typed);
        });
        m_answer = answer == 1;
        QString boxText;
        QMessageBox::StandardButton boxDefault = QMessageBox::NoButton;
        TestUsers::Write(folder(), {{QStringLiteral("anna"), QStringLiteral(" ")}, {QStringLiteral("Bob"), QStringLiteral(" ")}});
        CLogInDlg dialog;
        open(dialog);
        fill(dialog, QStringLiteral("anna"), QString());
        if (answer < 0) {
            CLogInDlg::SetDeleteQuestionFunction({});
            QTimer::singleShot(0, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    boxText = box->text();
                    boxDefault = box->standardButton(box->defaultButton());
                    QTest::keyClick(box, Qt::Key_Return);
                }
            });
        }
        QTest::mouseClick(dialog.DeleteNameButton(), Qt::LeftButton);
        QCOMPARE(teacherAsked, teacher.isEmpty() ? 0 : 1);
        const QStringList question{CLogInDlg::DeleteQuestionText(QStringLiteral("anna"))};
        if (answer < 0) {
            QCOMPARE(boxText, question.first());
            QCOMPARE(boxDefault, QMessageBox::No);
        } else {
            QCOMPARE(m_questions, asked ? question : QStringList());
        }
        QCOMPARE(m_sink->Texts().size(), messages);
        const QStringList all{QStringLiteral("anna"), QStringLiteral("Bob")};
        QCOMPARE(dialog.NameBox()->Items(), deleted ? QStringList{QStringLiteral("Bob")} : all);
        QCOMPARE(dialog.NameBox()->Text(), deleted ? QString() : QStringLiteral("anna"));
        fill(dialog, QString(), QString());
        clickOk(dialog);
        QCOMPARE(TestUsers::Read(folder()).size(), deleted ? 1 : 2);
    }

    // After a deletion no name is chosen, so a second click deletes nobody else.
    void aDeletionLeavesNoNameChosen()
    {
        TestUsers::Write(folder(), {{QStringLiteral("anna"), QStringLiteral(" ")}, {QStringLiteral("Bob"), QStringLiteral(" ")},
                                    {QStringLiteral("Cleo"), QStringLiteral(" ")}});
        CLogInDlg dialog;
        open(dialog);
        QListWidget* list = dialog.NameBox()->List();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(dialog.NameBox()->Text(), QStringLiteral("anna"));
        QTest::mouseClick(dialog.DeleteNameButton(), Qt::LeftButton);
        QCOMPARE(dialog.NameBox()->Items(), (QStringList{QStringLiteral("Bob"), QStringLiteral("Cleo")}));
        QCOMPARE(list->currentRow(), -1);
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(dialog.NameBox()->Text(), QString());
        QTest::mouseClick(dialog.DeleteNameButton(), Qt::LeftButton);
        QCOMPARE(dialog.NameBox()->Items(), (QStringList{QStringLiteral("Bob"), QStringLiteral("Cleo")}));
        QCOMPARE(m_questions.size(), 1);
    }

    // A wrong password after a deletion writes the deletion at once; the file stays held, so a
    // later change in the same dialog is written too.
    void aWrongPasswordAfterADeletionWritesTheDeletion()
    {
        TestUsers::Write(folder(), {{QStringLiteral("anna"), QStringLiteral("a")}, {QStringLiteral("Bob"), QStringLiteral("b")}});
        CLogInDlg dialog;
        open(dialog);
        fill(dialog, QStringLiteral("anna"), QStringLiteral("a"));
        QTest::mouseClick(dialog.DeleteNameButton(), Qt::LeftButton);
        fill(dialog, QStringLiteral("Bob"), QStringLiteral("wrong"));
        clickOk(dialog);
        QVERIFY(dialog.isVisible());
        QCOMPARE(m_sink->Texts(), QStringList{QStringLiteral("InCorrect PassWord")});
        QCOMPARE(TestUsers::Read(folder()), (SUserList{{QStringLiteral("Bob"), QStringLiteral("b")}}));
        CUserFile other(folder());
        QCOMPARE(other.OpenOnce(false), CExclusiveFile::EOpen::Locked);  // still held by the dialog
        fill(dialog, QStringLiteral("Cleo"), QString());
        clickOk(dialog);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.Name(), QStringLiteral("Cleo"));
        QCOMPARE(TestUsers::Read(folder()), (SUserList{{QStringLiteral("Bob"), QStringLiteral("b")},
                                                 {QStringLiteral("Cleo"), QStringLiteral(" ")}}));
    }

    void newNamesMustBeFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("26 characters") << QString(26, QLatin1Char('n'));
        QTest::newRow("slash") << QStringLiteral("Anna/B");
        QTest::newRow("colon") << QStringLiteral("C:x");
        QTest::newRow("question mark") << QStringLiteral("who?");
        QTest::newRow("dot dot") << QStringLiteral("..");
        QTest::newRow("tab") << QStringLiteral("a\tb");
    }
    void newNamesMustBeFileNames()
    {
        QFETCH(QString, name);
        TestUsers::Write(folder(), {{QStringLiteral("anna"), QStringLiteral(" ")}});
        CLogInDlg dialog;
        open(dialog);
        dialog.NameBox()->SetText(name);
        clickOk(dialog);
        QVERIFY(dialog.isVisible());
        QCOMPARE(m_sink->Texts(), QStringList{UserNames::RuleText()});
        QCOMPARE(TestUsers::Read(folder()), (SUserList{{QStringLiteral("anna"), QStringLiteral(" ")}}));
        fill(dialog, QString(25, QLatin1Char('n')), QString());
        clickOk(dialog);
        QVERIFY(!dialog.isVisible());
    }

    void anExistingOddNameStillLogsIn()
    {
        TestUsers::Write(folder(), {{QStringLiteral("a/b"), QStringLiteral(" ")}});
        QVERIFY(logIn(QStringLiteral("a/b"), QString()));
        QVERIFY(m_sink->Texts().isEmpty());
    }

    void aFolderThatDoesNotExistAcceptsAnyNameAndWritesNothing()
    {
        const QString missing = folder() + QStringLiteral("/missing");
        CLogInDlg dialog;
        open(dialog, missing);
        QCOMPARE(dialog.NameBox()->Count(), 0);
        fill(dialog, QStringLiteral("Anyone"), QStringLiteral("pw"));
        clickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Name(), QStringLiteral("Anyone"));
        QVERIFY(!QFileInfo::exists(missing));
        QCOMPARE(m_sink->Texts().size(), 1);  // why no names are shown
        QVERIFY(m_sink->Texts().at(0).contains(missing + QStringLiteral("/Orthex.lgn")));
    }

    // A helper process holds the file; the dialog waits, showing the wait dialog, and goes on
    // with the helper's list when it is released in time, or with no names when it is not.
    void anotherCopyHoldingTheFile_data()
    {
        QTest::addColumn<int>("releaseAfterMs");
        QTest::newRow("released in time") << 300;
        QTest::newRow("never released") << -1;
    }
    void anotherCopyHoldingTheFile()
    {
        QFETCH(int, releaseAfterMs);
        const bool released = releaseAfterMs >= 0;
        TestUsers::Write(folder(), {{QStringLiteral("anna"), QStringLiteral("secret")}});
        QProcess helper;
        helper.start(QStringLiteral(ORTHEX_USERS_HELPER), {QStringLiteral("holdusers"), folder(),
                                                           QString::number(releaseAfterMs), QStringLiteral("Helen")});
        QVERIFY(helper.waitForReadyRead(20000));
        QCOMPARE(helper.readLine().trimmed(), QByteArray("locked"));

        QString waitTitle;
        QString waitText;
        QTimer::singleShot(10, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* wait = qobject_cast<CWaitDlg*>(widget); wait && wait->isVisible()) {
                    waitTitle = wait->windowTitle();
                    waitText = wait->findChild<QLabel*>()->text();
                }
            }
        });
        CLogInDlg dialog;
        dialog.SetWaiting(released ? 500 : 5, 20);
        open(dialog);
        QCOMPARE(waitTitle, QStringLiteral("Orthex Loading..."));
        QCOMPARE(waitText, QStringLiteral("Orthex is waiting for the user information file(up to 3 minutes)."));
        const auto waitDialogs = [] {
            const QWidgetList windows = QApplication::topLevelWidgets();
            return std::count_if(windows.cbegin(), windows.cend(), [](QWidget* w) { return qobject_cast<CWaitDlg*>(w) != nullptr; });
        };
        QTRY_COMPARE(waitDialogs(), 0);
        if (released) {
            QCOMPARE(dialog.NameBox()->Items(), (QStringList{QStringLiteral("anna"), QStringLiteral("Helen")}));
            QVERIFY(m_sink->Texts().isEmpty());
            fill(dialog, QStringLiteral("Helen"), QString());
            clickOk(dialog);
            QCOMPARE(dialog.Name(), QStringLiteral("Helen"));
        } else {
            QCOMPARE(dialog.NameBox()->Count(), 0);
            QCOMPARE(m_sink->Texts().size(), 1);
            // Holding the file elsewhere must not let anyone in unchecked: anna has a password.
            fill(dialog, QStringLiteral("anna"), QStringLiteral("any password"));
            clickOk(dialog);
            QVERIFY(dialog.isVisible());
            QCOMPARE(m_sink->Texts().last(), CLogInDlg::CannotCheckText(CUserFile::PathIn(folder())));
            fill(dialog, QString(), QString());
            clickOk(dialog);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.Name(), QString());
            QCOMPARE(TestUsers::Read(folder()), (SUserList{{QStringLiteral("anna"), QStringLiteral("secret")}}));
            helper.write("release\n");
        }
        // The dialog's waiting runs an event loop, in which the helper may have been seen to end.
        QVERIFY(helper.state() == QProcess::NotRunning || helper.waitForFinished(20000));
        QCOMPARE(helper.exitCode(), 0);
    }
};

ORTHEX_TEST_MAIN(LogInDlgTest)
#include "logindlg_test.moc"
