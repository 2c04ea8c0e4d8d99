#include "users/changepwdlg.h"
#include "widgets/simplecombo.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testusers.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using TestUsers::SUserList;

class ChangePWDlgTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CRecordingMessageSink> m_sink;
    QString folder() const { return m_dir->path() + QStringLiteral("/users"); }

    void open(CChangePWDlg& dialog, const QString& userFolder)
    {
        dialog.SetUserFolder(userFolder);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }

    static void fill(CChangePWDlg& dialog, const QString& name, const QString& old, const QString& fresh,
                     const QString& retyped)
    {
        const std::pair<QLineEdit*, QString> fields[] = {{dialog.NameBox()->Edit(), name},
                                                         {dialog.OldPasswordEdit(), old},
                                                         {dialog.NewPasswordEdit(), fresh},
                                                         {dialog.RetypedPasswordEdit(), retyped}};
        for (const auto& [edit, text] : fields) {
            edit->clear();
            QTest::keyClicks(edit, text);
        }
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(CTestEnvironment::Instance().Root() + QStringLiteral("/passwordXXXXXX"));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("users")));
        m_sink = std::make_unique<CRecordingMessageSink>();
    }
    void cleanup()
    {
        m_sink.reset();
        m_dir.reset();
    }

    void theDialogHasItsTexts()
    {
        CChangePWDlg dialog;
        open(dialog, folder());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Change Password"));
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            labels.append(label->text());
        for (const char* text : {"Select the User Name,\n\rType Old and New Passwords to Change Password", "User Name:",
                                 "Old Password:", "New Password:"})
            QVERIFY2(labels.contains(QLatin1String(text)), text);
        for (QLineEdit* edit : {dialog.OldPasswordEdit(), dialog.NewPasswordEdit(), dialog.RetypedPasswordEdit()}) {
            QCOMPARE(edit->echoMode(), QLineEdit::Password);
            QVERIFY(!edit->accessibleName().isEmpty());
        }
        QVERIFY(dialog.OkButton()->isDefault());
        QCOMPARE(dialog.CancelButton()->text(), QStringLiteral("Cancel"));
    }

    void everyStepOfOk_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("fresh");
        QTest::addColumn<QString>("retyped");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("stored");  // Bob's password afterwards
        const QString unchanged = QStringLiteral("old");
        QTest::newRow("unknown name") << QStringLiteral("Carl") << "old" << "new" << "new" << "Incorrect User Name" << unchanged;
        QTest::newRow("case of the name") << QStringLiteral("bob") << "old" << "new" << "new" << "Incorrect User Name" << unchanged;
        QTest::newRow("empty name") << QString() << "old" << "new" << "new" << "Incorrect User Name" << unchanged;
        QTest::newRow("wrong old password") << QStringLiteral("Bob") << "olf" << "new" << "new" << "Incorrect PassWord" << unchanged;
        QTest::newRow("password before mismatch") << QStringLiteral("Bob") << "olf" << "new" << "neu" << "Incorrect PassWord" << unchanged;
        QTest::newRow("mismatch") << QStringLiteral("Bob") << "old" << "new" << "neu"
                                  << "The New Password is not the same as the Retyped Password" << unchanged;
        QTest::newRow("mismatch in case") << QStringLiteral("Bob") << "old" << "new" << "New"
                                          << "The New Password is not the same as the Retyped Password" << unchanged;
        QTest::newRow("changed") << QStringLiteral("Bob") << "old" << "new" << "new" << QString() << "new";
        QTest::newRow("changed to empty") << QStringLiteral("Bob") << "old" << "" << "" << QString() << "";
        QTest::newRow("changed to a space") << QStringLiteral("Bob") << "old" << " " << " " << QString() << " ";
    }
    void everyStepOfOk()
    {
        QFETCH(QString, name);
        QFETCH(QString, old);
        QFETCH(QString, fresh);
        QFETCH(QString, retyped);
        QFETCH(QString, message);
        QFETCH(QString, stored);
        TestUsers::Write(folder(), {{QStringLiteral("anna"), QStringLiteral(" ")}, {QStringLiteral("Bob"), QStringLiteral("old")}});
        CChangePWDlg dialog;
        open(dialog, folder());
        QCOMPARE(dialog.NameBox()->Items(), (QStringList{QStringLiteral("anna"), QStringLiteral("Bob")}));
        fill(dialog, name, old, fresh, retyped);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        QCOMPARE(m_sink->Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(dialog.isVisible(), !message.isEmpty());
        if (message.isEmpty())
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(TestUsers::Read(folder()), (SUserList{{QStringLiteral("anna"), QStringLiteral(" ")}, {QStringLiteral("Bob"), stored}}));
    }

    void aBlankPasswordIsTheOldPasswordOfABlankUser()
    {
        TestUsers::Write(folder(), {{QStringLiteral("anna"), QStringLiteral(" ")}});
        CChangePWDlg dialog;
        open(dialog, folder());
        fill(dialog, QStringLiteral("anna"), QString(), QStringLiteral("pw"), QStringLiteral("pw"));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(TestUsers::Read(folder()), (SUserList{{QStringLiteral("anna"), QStringLiteral("pw")}}));
    }

    void cancellingChangesNothing()
    {
        TestUsers::Write(folder(), {{QStringLiteral("Bob"), QStringLiteral("old")}});
        CChangePWDlg dialog;
        open(dialog, folder());
        fill(dialog, QStringLiteral("Bob"), QStringLiteral("old"), QStringLiteral("new"), QStringLiteral("neu"));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(TestUsers::Read(folder()), (SUserList{{QStringLiteral("Bob"), QStringLiteral("old")}}));
    }

    void withoutTheFileEveryNameIsUnknown()
    {
        CChangePWDlg dialog;
        open(dialog, folder() + QStringLiteral("/missing"));
        QCOMPARE(dialog.NameBox()->Count(), 0);
        m_sink->Clear();
        fill(dialog, QStringLiteral("Bob"), QStringLiteral("old"), QStringLiteral("new"), QStringLiteral("new"));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        QCOMPARE(m_sink->Texts(), QStringList{QStringLiteral("Incorrect User Name")});
        QVERIFY(dialog.isVisible());
    }

    // "Password Changed." must not follow a change that never reached the file.
    void aFailedWriteKeepsTheDialogOpen()
    {
        TestUsers::Write(folder(), {{QStringLiteral("Bob"), QStringLiteral("old")}});
        CChangePWDlg dialog;
        open(dialog, folder());
        const QString moved = m_dir->path() + QStringLiteral("/moved");
        QVERIFY(QDir().rename(folder(), moved));  // the folder is gone when the change is written
        fill(dialog, QStringLiteral("Bob"), QStringLiteral("old"), QStringLiteral("new"), QStringLiteral("new"));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(m_sink->Texts().size(), 1);
        QVERIFY(m_sink->Texts().at(0).contains(folder() + QStringLiteral("/Orthex.lgn")));
        QCOMPARE(TestUsers::Read(moved), (SUserList{{QStringLiteral("Bob"), QStringLiteral("old")}}));
    }
};

ORTHEX_TEST_MAIN(ChangePWDlgTest)
#include "changepwdlg_test.moc"
