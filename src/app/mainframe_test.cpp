#include "base/appfolders.h"
#include "base/appsettings.h"
#include "app/helpwindow.h"
#include "app/mainframe.h"
#include "reports/classoverviewdlg.h"
#include "users/teachergate.h"
#include "users/teacherpassword.h"
#include "app/options.h"
#include "app/orthexview.h"
#include "testing/shelltestsupport.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QWhatsThis>
#include <QtTest>

using namespace ShellTest;

namespace {
// A page that records what the main window asks of it, with a text field for the edit keys.
class CRecordingPage : public CPageView
{
public:
    CRecordingPage(COrthexDoc& document, IPageCommandTarget& commands, QWidget* parent)
        : CPageView(document, commands, parent)
        , field(new QLineEdit(this))
    {
        field->setAccessibleName(QStringLiteral("Field"));
    }
    void OnInitialUpdate() override { ++initialUpdates; }
    void OnUpdate() override { ++updates; }
    void OnFrameClosing() override
    {
        ++closings;
        GetDocument().SetTestRunning(false);  // as the test page's Stop does
    }

    int initialUpdates = 0;
    int updates = 0;
    int closings = 0;
    QLineEdit* field;
};

// The main window with a recording page in place of the test page.
class CTestFrame : public CMainFrame
{
public:
    using CMainFrame::CMainFrame;
    CRecordingPage* testPage = nullptr;

protected:
    CPageView* CreatePage(PageCommand page) override
    {
        if (page != PageCommand::Test)
            return CMainFrame::CreatePage(page);
        testPage = new CRecordingPage(GetDocument(), *this, nullptr);
        return testPage;
    }
};

using Fixture = SMainWindow<CTestFrame>;

QString enabledPages(CMainFrame& frame)
{
    QString result;
    for (int page = 1; page <= 5; ++page)
        result += frame.PageAction(PageCommand(page))->isEnabled() ? '+' : '-';
    result += frame.ExitAction()->isEnabled() ? '+' : '-';
    return result;
}

}  // namespace

class MainFrameTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        CAppSettings settings;
        settings.SetRecentFiles({});
    }

    void enablingFollowsTheDocument_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("creator");  // "-": no list open
        QTest::addColumn<int>("words");
        QTest::addColumn<bool>("testRunning");
        QTest::addColumn<QString>("expected");  // Start Words Test Reports Options Exit

        QTest::newRow("nobody, no list") << QString() << QStringLiteral("-") << 0 << false << QStringLiteral("----++");
        QTest::newRow("user, no list") << QStringLiteral("anna") << QStringLiteral("-") << 0 << false
                                       << QStringLiteral("---+++");
        QTest::newRow("own list") << QStringLiteral("anna") << QStringLiteral("anna") << 2 << false
                                  << QStringLiteral("-+++++");
        QTest::newRow("another user's list") << QStringLiteral("anna") << QStringLiteral("bob") << 2 << false
                                             << QStringLiteral("--++++");
        QTest::newRow("list of an unknown user, nobody logged in")
            << QString() << QString() << 2 << false << QStringLiteral("-++-++");
        QTest::newRow("empty list") << QStringLiteral("anna") << QStringLiteral("anna") << 0 << false
                                    << QStringLiteral("-+-+++");
        QTest::newRow("test running") << QStringLiteral("anna") << QStringLiteral("anna") << 2 << true
                                      << QStringLiteral("------");
    }

    void enablingFollowsTheDocument()
    {
        QFETCH(QString, user);
        QFETCH(QString, creator);
        QFETCH(int, words);
        QFETCH(bool, testRunning);
        Fixture f(user);
        if (creator != QLatin1String("-")) {
            QStringList list;
            for (int i = 0; i < words; ++i)
                list << QStringLiteral("w%1").arg(i);
            const QString path = MakeList(QStringLiteral("rules.orthex"), creator, list);
            QVERIFY(!path.isEmpty());
            QVERIFY(f.frame.OpenFile(path));
            Settle();
            if (words == 0)  // the creator of an empty list is the user who opened it
                QCOMPARE(f.doc->CreatedBy(), user);
        }
        f.doc->SetTestRunning(testRunning);
        QTEST(enabledPages(f.frame), "expected");
        // Document commands are not available during a test either.
        QCOMPARE(f.frame.NewAction()->isEnabled(), !testRunning);
        QCOMPARE(f.frame.OpenAction()->isEnabled(), !testRunning);
    }

    void postedCommandsRunOnlyWhenEnabled()
    {
        Fixture f(QStringLiteral("anna"));
        f.frame.PostPageCommand(PageCommand::Test);  // no list: disabled
        QCOMPARE(f.frame.CurrentPage(), PageCommand::Start);
        Settle();
        QCOMPARE(f.frame.CurrentPage(), PageCommand::Start);
        QVERIFY(!f.frame.Page(PageCommand::Test));

        f.frame.PostPageCommand(PageCommand::Reports);
        QCOMPARE(f.frame.CurrentPage(), PageCommand::Start);  // queued, not yet run
        Settle();
        QCOMPARE(f.frame.CurrentPage(), PageCommand::Reports);

        // During a test nothing switches.
        f.doc->SetTestRunning(true);
        f.frame.PostPageCommand(PageCommand::Start);
        Settle();
        QCOMPARE(f.frame.CurrentPage(), PageCommand::Reports);
    }

    void pagesAreMadeOnceAndKept()
    {
        Fixture f(QStringLiteral("anna"));
        CPageView* start = f.frame.Page(PageCommand::Start);
        QVERIFY(qobject_cast<COrthexView*>(start));
        QVERIFY(!f.frame.Page(PageCommand::Options));

        const PageCommand walk[] = {PageCommand::Options, PageCommand::Start, PageCommand::Options,
                                    PageCommand::Start};
        CPageView* options = nullptr;
        auto* stack = f.frame.findChild<QStackedWidget*>(QStringLiteral("pages"));
        for (PageCommand page : walk) {
            f.frame.PageAction(page)->trigger();
            QCOMPARE(f.frame.CurrentPage(), page);
            QCOMPARE(stack->currentWidget(), f.frame.Page(page));
            if (page == PageCommand::Options) {
                if (!options)
                    options = f.frame.Page(PageCommand::Options);
                QCOMPARE(f.frame.Page(PageCommand::Options), options);
            }
            QCOMPARE(f.frame.Page(PageCommand::Start), start);
        }
        QCOMPARE(f.frame.findChildren<COptions*>().size(), 1);
        QCOMPARE(stack->count(), 2);
    }

    void initialUpdateReachesEveryPage()
    {
        const QString path = MakeList(QStringLiteral("init.orthex"), QStringLiteral("anna"), {QStringLiteral("cat")});
        Fixture f(QStringLiteral("anna"));
        QVERIFY(f.frame.OpenFile(path));
        Settle();
        f.frame.PageAction(PageCommand::Test)->trigger();
        CRecordingPage* test = f.frame.testPage;
        QVERIFY(test);
        QCOMPARE(test->initialUpdates, 1);  // when it was made

        f.doc->UpdateAllViews();
        QCOMPARE(test->updates, 1);
        f.doc->UpdateAllViews(test);  // the sender is left out
        QCOMPARE(test->updates, 1);

        QVERIFY(f.frame.OpenFile(path));
        QCOMPARE(test->initialUpdates, 2);
        f.doc->NewDocument();
        QCOMPARE(test->initialUpdates, 3);
    }

    void titleNamesTheList()
    {
        Fixture f;
        QCOMPARE(f.frame.windowTitle(), QStringLiteral("Untitled - Orthex"));
        const QString path = MakeList(QStringLiteral("week1.orthex"), QString(), {QStringLiteral("cat")});
        QVERIFY(f.frame.OpenFile(path));
        QCOMPARE(f.frame.windowTitle(), QStringLiteral("week1.orthex - Orthex"));
        f.doc->NewDocument();
        QCOMPARE(f.frame.windowTitle(), QStringLiteral("Untitled - Orthex"));
    }

    void statusBarPanes_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("pane");
        QTest::newRow("nobody") << QString() << QStringLiteral("No User Logged In");
        QTest::newRow("anna") << QStringLiteral("anna") << QStringLiteral("anna");
    }

    void statusBarPanes()
    {
        QFETCH(QString, user);
        Fixture f(user);
        QTEST(f.frame.UserPane()->text(), "pane");
        QCOMPARE(f.frame.UserPane()->width(), 200);
        QCOMPARE(f.frame.MessagePane()->text(), QStringLiteral("For Help, press F1"));
    }

    void userPaneFollowsAChangeOfUser()
    {
        auto session = std::make_unique<CScriptedSession>();
        session->atStart = [] { return QStringLiteral("anna"); };
        session->again = [] { return QString(); };
        CAppSettings settings;
        CAppFolders folders(settings);
        COrthexDoc doc(std::move(session));
        CMainFrame frame(doc, settings, folders);
        doc.SetHost(&frame);
        doc.NewDocument();
        QCOMPARE(frame.UserPane()->text(), QStringLiteral("anna"));
        doc.ChangeUser();
        QCOMPARE(frame.UserPane()->text(), QStringLiteral("No User Logged In"));
        QVERIFY(!frame.PageAction(PageCommand::Reports)->isEnabled());
    }

    void promptsOfThePageCommands_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("start") << 1 << QStringLiteral("Start") << QStringLiteral("Return To The Start Page");
        QTest::newRow("words") << 2 << QStringLiteral("Words")
                               << QStringLiteral("Go To Words Page To Enter and/or Edit Spelling Words");
        QTest::newRow("test") << 3 << QStringLiteral("Test") << QStringLiteral("Go To Test Page");
        QTest::newRow("reports") << 4 << QStringLiteral("Reports") << QStringLiteral("Go To Reports Page");
        QTest::newRow("options") << 5 << QStringLiteral("Options") << QStringLiteral("Go To Options Page");
    }

    void promptsOfThePageCommands()
    {
        QFETCH(int, page);
        Fixture f;
        QAction* action = f.frame.PageAction(PageCommand(page));
        QTEST(action->text(), "caption");
        QTEST(action->statusTip(), "prompt");
        // The prompt replaces the idle text while the mouse is over the command.
        f.frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.frame));
        f.frame.statusBar()->showMessage(action->statusTip());
        QVERIFY(!f.frame.MessagePane()->isVisible());
        f.frame.statusBar()->clearMessage();
        QVERIFY(f.frame.MessagePane()->isVisible());
    }

    void toolbarHasSixLargeButtons()
    {
        Fixture f;
        auto* toolbar = f.frame.findChild<QToolBar*>(QStringLiteral("pageToolBar"));
        QVERIFY(toolbar);
        QCOMPARE(toolbar->iconSize(), QSize(48, 48));
        QCOMPARE(toolbar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QStringList texts;
        for (QAction* action : toolbar->actions()) {
            auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action));
            QVERIFY(button);
            texts << button->text();
            // Three looks: normal, hover and disabled differ.
            const QImage normal = action->icon().pixmap(QSize(48, 48), QIcon::Normal).toImage();
            const QImage hover = action->icon().pixmap(QSize(48, 48), QIcon::Active).toImage();
            const QImage disabled = action->icon().pixmap(QSize(48, 48), QIcon::Disabled).toImage();
            QVERIFY(!normal.isNull());
            QVERIFY2(normal != hover, qPrintable(button->text()));
            QVERIFY2(normal != disabled, qPrintable(button->text()));
            QVERIFY2(hover != disabled, qPrintable(button->text()));
        }
        QCOMPARE(texts, (QStringList{QStringLiteral("Start"), QStringLiteral("Words"), QStringLiteral("Test"),
                                     QStringLiteral("Reports"), QStringLiteral("Options"), QStringLiteral("Exit")}));
    }

    void menus()
    {
        Fixture f;
        QStringList titles;
        QStringList items;
        for (QAction* menuAction : f.frame.menuBar()->actions()) {
            titles << menuAction->text();
            for (QAction* item : menuAction->menu()->actions())
                if (!item->isSeparator() && item->isVisible())
                    items << item->text() + (item->shortcut().isEmpty() ? QString() : QLatin1Char('\t') + item->shortcut().toString());
        }
        QCOMPARE(titles, (QStringList{QStringLiteral("&File"), QStringLiteral("&View"), QStringLiteral("&Help")}));
        QCOMPARE(items, (QStringList{QStringLiteral("&New\tCtrl+N"), QStringLiteral("&Open...\tCtrl+O"),
                                     QStringLiteral("&Import Words..."), QStringLiteral("&Export Words..."),
                                     QStringLiteral("&Print List..."),
                                     QStringLiteral("E&xit"), QStringLiteral("Reports"), QStringLiteral("Options"),
                                     QStringLiteral("Test"), QStringLiteral("Words"), QStringLiteral("Start"),
                                     QStringLiteral("&Class Overview..."), QStringLiteral("&Help Topics\tF1"), QStringLiteral("&About Orthex...")}));
        QSignalSpy about(&f.frame, &CMainFrame::AboutRequested);
        f.frame.findChild<QAction*>(QStringLiteral("actionAbout"))->trigger();
        QCOMPARE(about.count(), 1);
        f.frame.findChild<QAction*>(QStringLiteral("actionClassOverview"))->trigger();
        QVERIFY(f.frame.findChild<CClassOverviewDlg*>());
    }

    void recentFiles()
    {
        const QString a = MakeList(QStringLiteral("a.orthex"), QString(), {QStringLiteral("cat")});
        const QString b = MakeList(QStringLiteral("b.orthex"), QString(), {QStringLiteral("dog")});
        Fixture f;
        QVERIFY(f.frame.OpenFile(a));
        QVERIFY(f.frame.OpenFile(b));
        QCOMPARE(f.frame.RecentFiles(), (QStringList{b, a}));
        auto* first = f.frame.findChild<QAction*>(QStringLiteral("actionRecentFile1"));
        QVERIFY(first);
        QCOMPARE(first->text(), QStringLiteral("&1 ") + b);

        // Choosing an entry opens it.
        f.frame.findChild<QAction*>(QStringLiteral("actionRecentFile2"))->trigger();
        QCOMPARE(f.doc->GetTitle(), QStringLiteral("a.orthex"));
        QCOMPARE(f.frame.RecentFiles(), (QStringList{a, b}));

        // One that is gone says so and is taken off.
        QVERIFY(QFile::remove(b));
        CRecordingMessageSink messages;
        QVERIFY(!f.frame.OpenRecentFile(b));
        QCOMPARE(messages.Texts().size(), 1);
        QVERIFY(messages.Texts().at(0).contains(b));
        QVERIFY(messages.Texts().at(0).contains(QStringLiteral("removed")));
        QCOMPARE(f.frame.RecentFiles(), QStringList{a});
        QCOMPARE(f.doc->GetTitle(), QStringLiteral("a.orthex"));  // the open list stays
        QVERIFY(f.doc->IsListOpen());
        QVERIFY(!f.frame.findChild<QAction*>(QStringLiteral("actionRecentFile2"))->isVisible());
    }

    void droppedFiles_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("testRunning");
        QTest::addColumn<QString>("opened");  // title afterwards
        QTest::newRow("a list") << QStringList{QStringLiteral("drop.orthex")} << false << QStringLiteral("drop.orthex");
        QTest::newRow("capital extension") << QStringList{QStringLiteral("DROP2.ORTHEX")} << false
                                           << QStringLiteral("DROP2.ORTHEX");
        QTest::newRow("other files ignored") << QStringList{QStringLiteral("notes.txt")} << false
                                             << QStringLiteral("Untitled");
        QTest::newRow("first list of several") << QStringList{QStringLiteral("notes.txt"), QStringLiteral("one.orthex"),
                                                              QStringLiteral("two.orthex")}
                                               << false << QStringLiteral("one.orthex");
        QTest::newRow("not during a test") << QStringList{QStringLiteral("drop.orthex")} << true
                                           << QStringLiteral("Untitled");
    }

    void droppedFiles()
    {
        QFETCH(QStringList, names);
        QFETCH(bool, testRunning);
        QList<QUrl> urls;
        for (const QString& name : names) {
            const QString path = name.endsWith(QStringLiteral(".txt"))
                                     ? CTestEnvironment::Instance().Root() + QLatin1Char('/') + name
                                     : MakeList(name, QString(), {QStringLiteral("cat")});
            if (name.endsWith(QStringLiteral(".txt"))) {
                QFile text(path);
                QVERIFY(text.open(QIODevice::WriteOnly));
                text.write("hello");
            }
            urls << QUrl::fromLocalFile(path);
        }
        Fixture f;
        f.doc->SetTestRunning(testRunning);
        f.frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.frame));
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = f.frame.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&f.frame, &enter);
        QFETCH(QString, opened);
        const bool expectOpen = opened != QLatin1String("Untitled");
        QCOMPARE(enter.isAccepted(), expectOpen);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&f.frame, &drop);
        Settle();
        QCOMPARE(f.doc->GetTitle(), opened);
        QCOMPARE(f.doc->IsListOpen(), expectOpen);
        f.doc->SetTestRunning(false);
    }

    void exitAndCloseDuringATest()
    {
        const QString path = MakeList(QStringLiteral("close.orthex"), QStringLiteral("anna"), {QStringLiteral("cat")});
        Fixture f(QStringLiteral("anna"));
        f.frame.show();
        QVERIFY(f.frame.OpenFile(path));
        Settle();
        f.frame.PageAction(PageCommand::Test)->trigger();
        QVERIFY(f.frame.testPage);
        f.doc->SetTestRunning(true);
        QVERIFY(!f.frame.ExitAction()->isEnabled());
        f.frame.ExitAction()->trigger();  // disabled: nothing
        QVERIFY(f.frame.isVisible());
        QCOMPARE(f.frame.testPage->closings, 0);

        // Closing the window stops the test first, then closes.
        QVERIFY(f.frame.close());
        QCOMPARE(f.frame.testPage->closings, 1);
        QVERIFY(!f.doc->IsTestRunning());
        QVERIFY(!f.frame.isVisible());
    }

    void closingWithoutATestTouchesNoPage()
    {
        Fixture f;
        f.frame.show();
        f.frame.PageAction(PageCommand::Options)->trigger();
        QVERIFY(f.frame.ExitAction()->isEnabled());
        f.frame.ExitAction()->trigger();
        QVERIFY(!f.frame.isVisible());
    }

    // With a teacher password the options page opens only for it.
    void optionsNeedTheTeacherPassword_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<PageCommand>("page");
        QTest::newRow("right") << "Eule 7" << PageCommand::Options;
        QTest::newRow("wrong") << "Eule" << PageCommand::Start;
    }
    void optionsNeedTheTeacherPassword()
    {
        QFETCH(QString, typed);
        QFETCH(PageCommand, page);
        Fixture f;
        const QString folder = TestFiles::InRoot(QStringLiteral("teacher"));
        QDir().mkpath(folder);
        f.folders.SetUserFolder(folder);
        QVERIFY(CTeacherPassword(folder).Set(QStringLiteral("Eule 7")));
        TeacherGate::SetAskFunction([&](QWidget*, const QString&) { return std::optional<QString>(typed); });
        CRecordingMessageSink messages;
        f.frame.PageAction(PageCommand::Options)->trigger();
        TeacherGate::SetAskFunction({});
        QVERIFY(CTeacherPassword(folder).Set(QString()));
        QCOMPARE(f.frame.CurrentPage(), page);
    }

    void saveLeavesTheListIntact()
    {
        const QString path = MakeList(QStringLiteral("save.orthex"), QStringLiteral("anna"), {QStringLiteral("cat")});
        const QByteArray before = TestFiles::Read(path);
        Fixture f(QStringLiteral("anna"));
        f.frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.frame));
        QVERIFY(f.frame.OpenFile(path));
        QTest::keyClick(&f.frame, Qt::Key_S, Qt::ControlModifier);
        Settle();
        QVERIFY(f.doc->IsListOpen());
        f.doc->CloseList();
        QCOMPARE(TestFiles::Read(path), before);
    }

    void editKeysActOnTheFocusedField_data()
    {
        QTest::addColumn<QKeyCombination>("select");
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("after");

        // Each starts from "abc" typed, all selected, then the key.
        QTest::newRow("Alt+Backspace undoes") << QKeyCombination() << QKeyCombination(Qt::ALT, Qt::Key_Backspace)
                                              << QString();
        QTest::newRow("Shift+Delete cuts") << QKeyCombination(Qt::CTRL, Qt::Key_A)
                                           << QKeyCombination(Qt::SHIFT, Qt::Key_Delete) << QString();
        QTest::newRow("Ctrl+Insert copies, Shift+Insert pastes")
            << QKeyCombination(Qt::CTRL, Qt::Key_A) << QKeyCombination(Qt::CTRL, Qt::Key_Insert)
            << QStringLiteral("abcabc");
    }

    void editKeysActOnTheFocusedField()
    {
        QFETCH(QKeyCombination, select);
        QFETCH(QKeyCombination, key);
        const QString path = MakeList(QStringLiteral("keys.orthex"), QStringLiteral("anna"), {QStringLiteral("cat")});
        Fixture f(QStringLiteral("anna"));
        f.frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.frame));
        f.frame.activateWindow();
        QVERIFY(f.frame.OpenFile(path));
        Settle();
        f.frame.PageAction(PageCommand::Test)->trigger();
        QLineEdit* field = f.frame.testPage->field;
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClicks(field, QStringLiteral("abc"));
        if (select != QKeyCombination())
            QTest::keyClick(field, select.key(), select.keyboardModifiers());
        QTest::keyClick(field, key.key(), key.keyboardModifiers());
        if (key == QKeyCombination(Qt::CTRL, Qt::Key_Insert)) {
            QTest::keyClick(field, Qt::Key_End);
            QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        }
        QTEST(field->text(), "after");
    }

    void helpWindowAndWhatsThis()
    {
        Fixture f;
        f.frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.frame));
        f.frame.activateWindow();
        QTRY_VERIFY(f.frame.isActiveWindow());
        QTest::keyClick(&f.frame, Qt::Key_F1);
        CHelpWindow* help = f.frame.HelpWindow();
        QTRY_VERIFY(help->isVisible());
        QCOMPARE(help->source(), CHelpWindow::GuideUrl());
        const QString guide = help->toPlainText();
        for (const char* topic : {"Making a spelling list", "Taking a test", "Reading and printing reports",
                                  "Where Orthex keeps its data", "When the microphone is silent"})
            QVERIFY2(guide.contains(QLatin1String(topic)), topic);
        help->close();

        f.frame.activateWindow();
        QTRY_VERIFY(f.frame.isActiveWindow());
        QTest::keyClick(&f.frame, Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(QWhatsThis::inWhatsThisMode());
        QWhatsThis::leaveWhatsThisMode();
    }

    void everyControlHasAnAccessibleName()
    {
        Fixture f(QStringLiteral("anna"));
        for (int page = 5; page >= 1; --page)
            f.frame.PageAction(PageCommand(page))->trigger();
        const QList<QWidget*> widgets = f.frame.findChildren<QWidget*>();
        for (QWidget* widget : widgets) {
            const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget)
                                 || qobject_cast<QTextEdit*>(widget) || widget->objectName() == QLatin1String("userPane");
            if (widget->objectName().startsWith(QLatin1String("qt_")))  // Qt's own extension buttons
                continue;
            if (!control || (widget->parentWidget() && qobject_cast<QLineEdit*>(widget->parentWidget())))
                continue;
            QString name = widget->accessibleName();
            if (name.isEmpty())
                if (auto* button = qobject_cast<QAbstractButton*>(widget))
                    name = button->text();
            QVERIFY2(!name.isEmpty(), qPrintable(QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ')
                                                 + widget->objectName()));
        }
    }
};

ORTHEX_TEST_MAIN(MainFrameTest)
#include "mainframe_test.moc"
