#include "base/appfolders.h"
#include "base/appsettings.h"
#include "app/commandline.h"
#include "app/mainframe.h"
#include "app/orthexshell.h"
#include "app/orthexview.h"
#include "testing/shelltestsupport.h"
#include "testing/recordingmessagesink.h"
#include "users/appusersession.h"
#include "testing/testenvironment.h"
#include "testing/testusers.h"

#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTextEdit>
#include <QtTest>

using namespace ShellTest;

namespace {
// What the screen held when the log-in dialog would have been shown.
struct LogInWitness {
    int runs = 0;
    int mainWindowsVisible = -1;
    int mainWindowsMade = -1;
};

std::unique_ptr<CScriptedSession> witnessedSession(LogInWitness& witness, const QString& user)
{
    auto session = std::make_unique<CScriptedSession>();
    session->atStart = [&witness, user] {
        ++witness.runs;
        witness.mainWindowsMade = 0;
        witness.mainWindowsVisible = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<CMainFrame*>(widget)) {
                ++witness.mainWindowsMade;
                if (widget->isVisible())
                    ++witness.mainWindowsVisible;
            }
        }
        return user;
    };
    return session;
}
}  // namespace

class OrthexShellTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void logInComesBeforeTheMainWindow_data()
    {
        QTest::addColumn<QString>("user");  // empty: the dialog was cancelled
        QTest::addColumn<QString>("pane");
        QTest::newRow("logged in") << QStringLiteral("anna") << QStringLiteral("anna");
        QTest::newRow("cancelled") << QString() << QStringLiteral("No User Logged In");
    }

    void logInComesBeforeTheMainWindow()
    {
        QFETCH(QString, user);
        CAppSettings settings;
        CAppFolders folders(settings);
        LogInWitness witness;
        COrthexShell shell(settings, folders);
        shell.Start(CCommandLine::Parse({}), witnessedSession(witness, user));

        QCOMPARE(witness.runs, 1);
        QCOMPARE(witness.mainWindowsMade, 0);
        QCOMPARE(witness.mainWindowsVisible, 0);
        // Shown whatever the log-in's result, on the start page with no list.
        QVERIFY(shell.MainFrame()->isVisible());
        QCOMPARE(shell.MainFrame()->CurrentPage(), PageCommand::Start);
        QCOMPARE(shell.MainFrame()->windowTitle(), QStringLiteral("Untitled - Orthex"));
        QCOMPARE(shell.Document()->CurrentUser(), user);
        QVERIFY(!shell.Document()->IsListOpen());
        QTEST(shell.MainFrame()->UserPane()->text(), "pane");
        QVERIFY(shell.MainFrame()->HasMainWindow());
    }

    // The automatic log-in ("Auto") of a user with a password shows the dialog with the name,
    // also for a list opened from the command line; one without a password needs no dialog.
    void realSessionLogsInBeforeTheMainWindow_data()
    {
        QTest::addColumn<QString>("autoBefore");
        QTest::addColumn<QString>("stored");  // anna's stored password; empty: not in the user file
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("autoLogIn");
        QTest::addColumn<int>("runs");
        QTest::addColumn<QString>("nameGiven");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("storedAuto");
        QTest::newRow("ok, box ticked") << "" << "" << true << true << 1 << "" << "anna" << "anna";
        QTest::newRow("ok, box clear") << "" << "" << true << false << 1 << "" << "anna" << "";
        QTest::newRow("cancelled") << "" << "" << false << false << 1 << "" << "" << "";
        QTest::newRow("auto, blank password") << "anna" << " " << true << true << 0 << "" << "anna" << "anna";
        QTest::newRow("auto, a password: asked") << "anna" << "pw" << true << true << 1 << "anna" << "anna" << "anna";
        QTest::newRow("auto, a password: cancelled") << "anna" << "pw" << false << true << 1 << "anna" << "" << "anna";
    }

    void realSessionLogsInBeforeTheMainWindow()
    {
        QFETCH(QString, autoBefore);
        QFETCH(QString, stored);
        QFETCH(bool, ok);
        QFETCH(bool, autoLogIn);
        CAppSettings settings;
        settings.SetAutoLogInName(autoBefore);
        CAppFolders folders(settings);
        folders.SetUserFolder(folders.GetDefaultUserFolder());
        QFile::remove(CUserFile::PathIn(folders.UserFolder()));
        if (!stored.isEmpty())
            TestUsers::Write(folders.UserFolder(), {{QStringLiteral("anna"), stored}});
        int runs = 0;
        int mainWindows = -1;
        QString folderGiven;
        QString nameGiven;
        auto runner = [&](const QString& userFolder, const QString& name) -> std::optional<SLogInChoice> {
            ++runs;
            folderGiven = userFolder;
            nameGiven = name;
            mainWindows = 0;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (qobject_cast<CMainFrame*>(widget))
                    ++mainWindows;
            if (!ok)
                return std::nullopt;
            return SLogInChoice{QStringLiteral("anna"), autoLogIn};
        };
        const QStringList line =
            autoBefore.isEmpty() ? QStringList() : QStringList{MakeList(QStringLiteral("auto.orthex"), QString(), {})};
        COrthexShell shell(settings, folders);
        CRecordingMessageSink messages;
        shell.Start(CCommandLine::Parse(line), std::make_unique<CAppUserSession>(folders, runner));
        QTEST(runs, "runs");
        if (runs) {
            QCOMPARE(mainWindows, 0);
            QCOMPARE(folderGiven, folders.UserFolder());
            QTEST(nameGiven, "nameGiven");
        }
        QVERIFY(shell.MainFrame()->isVisible());
        QCOMPARE(shell.Document()->IsListOpen(), !line.isEmpty());
        QTEST(shell.Document()->CurrentUser(), "user");
        QTEST(settings.AutoLogInName(), "storedAuto");
        QVERIFY(messages.Texts().isEmpty());
    }

    void startWritesNoSettings()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vellomar"), QStringLiteral("Orthex"))
            .clear();
        {
            CAppSettings settings;
            CAppFolders folders(settings);
            folders.SetUserFolder(folders.GetDefaultUserFolder());
            COrthexShell shell(settings, folders);
            LogInWitness witness;
            shell.Start(CCommandLine::Parse({}), witnessedSession(witness, QString()));
            QVERIFY(QDir(CTestEnvironment::Instance().SharedDocuments() + QStringLiteral("/Orthex")).exists());
        }
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vellomar"), QStringLiteral("Orthex"));
        store.beginGroup(QStringLiteral("Settings"));
        QCOMPARE(store.allKeys(), QStringList());
    }

    // The first start fits and centres the window; later starts put back the size and place it
    // had at the last exit, and opening a list leaves them alone.
    void windowKeepsTheUsersPlacement_data()
    {
        QTest::addColumn<QByteArray>("stored");  // "LEFT": what the last exit wrote
        QTest::addColumn<bool>("restored");
        QTest::newRow("first start") << QByteArray() << false;
        QTest::newRow("after an exit") << QByteArray("LEFT") << true;
        QTest::newRow("damaged value") << QByteArray("\x01\xd9junk") << false;
    }

    void windowKeepsTheUsersPlacement()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, restored);
        CAppSettings settings;
        CAppFolders folders(settings);
        QVERIFY(settings.SetWindowGeometry(QByteArray()));
        LogInWitness witness;
        QRect left;
        {
            COrthexShell shell(settings, folders);
            shell.Start(CCommandLine::Parse({}), witnessedSession(witness, QString()));
            CMainFrame& frame = *shell.MainFrame();
            QVERIFY(QTest::qWaitForWindowExposed(&frame));
            left = QRect(frame.geometry().topLeft() - QPoint(20, 15), frame.size() + QSize(16, 12));
            frame.setGeometry(left);
            QVERIFY(frame.OpenFile(MakeList(QStringLiteral("placed.orthex"), QString(), {})));
            QCOMPARE(frame.geometry(), left);
            frame.close();
        }
        if (stored != "LEFT")
            settings.SetWindowGeometry(stored);

        COrthexShell shell(settings, folders);
        shell.Start(CCommandLine::Parse({}), witnessedSession(witness, QString()));
        CMainFrame& frame = *shell.MainFrame();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        if (restored) {
            QCOMPARE(frame.geometry(), left);
        } else {
            auto* view = qobject_cast<COrthexView*>(frame.Page(PageCommand::Start));
            QCOMPARE(frame.centralWidget()->size(), view->FormSize());
            QVERIFY((frame.frameGeometry().center() - frame.screen()->availableGeometry().center()).manhattanLength() <= 4);
        }
    }

    void commandLineOpensTheListAfterLogIn()
    {
        // An empty list's creator is whoever is logged in when it opens: here, the user the
        // log-in gave, so the list was opened after it.
        const QString path = MakeList(QStringLiteral("start.orthex"), QString(), {});
        CAppSettings settings;
        CAppFolders folders(settings);
        LogInWitness witness;
        COrthexShell shell(settings, folders);
        CRecordingMessageSink messages;
        shell.Start(CCommandLine::Parse({path}), witnessedSession(witness, QStringLiteral("anna")));
        QCOMPARE(witness.runs, 1);
        QVERIFY(shell.Document()->IsListOpen());
        QCOMPARE(shell.Document()->CreatedBy(), QStringLiteral("anna"));
        QCOMPARE(shell.MainFrame()->windowTitle(), QStringLiteral("start.orthex - Orthex"));
        QVERIFY(shell.MainFrame()->isVisible());
        QCOMPARE(messages.Texts(), QStringList());
        QCOMPARE(shell.MainFrame()->RecentFiles().value(0), path);
        auto* start = qobject_cast<COrthexView*>(shell.MainFrame()->Page(PageCommand::Start));
        QVERIFY(start->InformationText().contains(QStringLiteral("Spelling list start.orthex opened.")));
        QCoreApplication::processEvents();
        QCOMPARE(shell.MainFrame()->CurrentPage(), PageCommand::Start);
    }

    void commandLineListThatCannotOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");  // empty: no such file
        QTest::newRow("missing") << QStringLiteral("missing.orthex") << QByteArray();
        QTest::newRow("not a list") << QStringLiteral("junk.orthex") << QByteArray(2048, 'j');
    }

    void commandLineListThatCannotOpen()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        const QString path = CTestEnvironment::Instance().Root() + QLatin1Char('/') + name;
        QFile::remove(path);
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        CAppSettings settings;
        CAppFolders folders(settings);
        LogInWitness witness;
        COrthexShell shell(settings, folders);
        CRecordingMessageSink messages;
        shell.Start(CCommandLine::Parse({path}), witnessedSession(witness, QString()));
        // The open's own message, then the program goes on with no list.
        QCOMPARE(messages.Texts().size(), 1);
        QVERIFY2(messages.Texts().at(0).contains(name), qPrintable(messages.Texts().at(0)));
        QVERIFY(!shell.Document()->IsListOpen());
        QVERIFY(shell.MainFrame()->isVisible());
        QCOMPARE(shell.MainFrame()->windowTitle(), QStringLiteral("Untitled - Orthex"));
        QVERIFY(!shell.MainFrame()->RecentFiles().contains(path));
    }

    void endingWritesTheResultsAfterTheWindowIsGone()
    {
        struct Recorder : CScriptedSession {
            bool* windowGone = nullptr;
            QPointer<CMainFrame>* frame = nullptr;
            int saves = 0;
            bool SaveResults(COrthexDoc&) override
            {
                ++saves;
                *windowGone = frame->isNull();
                return true;
            }
        };
        bool windowGone = false;
        QPointer<CMainFrame> frame;
        auto session = std::make_unique<Recorder>();
        session->windowGone = &windowGone;
        session->frame = &frame;
        {
            CAppSettings settings;
            CAppFolders folders(settings);
            COrthexShell shell(settings, folders);
            shell.Start(CCommandLine::Parse({}), std::move(session));
            frame = shell.MainFrame();
        }
        QVERIFY(windowGone);
    }
};

ORTHEX_TEST_MAIN(OrthexShellTest)
#include "orthexshell_test.moc"
