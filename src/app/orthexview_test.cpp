#include "base/appfolders.h"
#include "base/appsettings.h"
#include "app/mainframe.h"
#include "app/orthexview.h"
#include "testing/shelltestsupport.h"
#include "testing/testenvironment.h"

#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QtTest>

using namespace ShellTest;

namespace {
class CRecordingTarget : public IPageCommandTarget, public IFrameCommandTarget
{
public:
    void PostPageCommand(PageCommand command) override { pages << command; }
    void PostFrameCommand(FrameCommand command) override { frames << command; }
    QList<PageCommand> pages;
    QList<FrameCommand> frames;
};
}  // namespace

class OrthexViewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsTheDocument_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("creator");  // "-": no list
        QTest::addColumn<int>("words");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("takeTest");
        QTest::addColumn<bool>("edit");

        QTest::newRow("nobody, no list")
            << QString() << QStringLiteral("-") << 0
            << QStringLiteral("Welcome, no user logged in.\nTest data will not be saved.") << false << false;
        QTest::newRow("list by another user")
            << QStringLiteral("anna") << QStringLiteral("bob") << 2
            << QStringLiteral("Welcome anna.\nTest data will be saved.\n\nSpelling list view.orthex opened.\n"
                              "Created by bob.\n\nYou can only take a test with this list as the current user.")
            << true << false;
    }

    void showsTheDocument()
    {
        QFETCH(QString, user);
        QFETCH(QString, creator);
        QFETCH(int, words);
        auto doc = MakeDocument(user);
        if (creator != QLatin1String("-")) {
            QStringList list;
            for (int i = 0; i < words; ++i)
                list << QStringLiteral("w%1").arg(i);
            const QString path = MakeList(QStringLiteral("view.orthex"), creator, list);
            QVERIFY(doc->OpenDocumentFile(path));
        }
        CRecordingTarget target;
        COrthexView view(*doc, target, target);
        view.OnInitialUpdate();
        QTEST(view.InformationBox()->toPlainText(), "shown");
        QTEST(view.TakeTestButton()->isEnabled(), "takeTest");
        QTEST(view.EditButton()->isEnabled(), "edit");
        QVERIFY(view.InformationBox()->isReadOnly());
        QCOMPARE(view.InformationBox()->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
    }

    // Words added on the words page count when the start page is shown again.
    void showingThePageCountsTheWordsAgain()
    {
        auto doc = MakeDocument(QStringLiteral("anna"));
        const QString path = MakeList(QStringLiteral("grow.orthex"), QStringLiteral("anna"), {});
        QVERIFY(doc->OpenDocumentFile(path));
        CRecordingTarget target;
        COrthexView view(*doc, target, target);
        view.OnInitialUpdate();
        view.show();
        QVERIFY(!view.TakeTestButton()->isEnabled());
        view.hide();
        QVERIFY(doc->List()->AppendWord(1, QStringLiteral("anna"), QStringLiteral("cat"), QByteArray("RIFF")));
        view.show();
        QVERIFY(view.TakeTestButton()->isEnabled());
    }

    void buttonsPostTheirCommands()
    {
        const QString path = MakeList(QStringLiteral("post.orthex"), QStringLiteral("anna"), {QStringLiteral("cat")});
        auto doc = MakeDocument(QStringLiteral("anna"));
        QVERIFY(doc->OpenDocumentFile(path));
        CRecordingTarget target;
        COrthexView view(*doc, target, target);
        view.OnUpdate();
        view.OpenButton()->click();
        view.CreateButton()->click();
        view.EditButton()->click();
        view.TakeTestButton()->click();
        QCOMPARE(target.frames, (QList<FrameCommand>{FrameCommand::FileOpen, FrameCommand::FileNew}));
        QCOMPARE(target.pages, (QList<PageCommand>{PageCommand::Words, PageCommand::Test}));
    }

    void logInAsADifferentUser_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("shown");
        QTest::newRow("another user") << QStringLiteral("bob") << QStringLiteral("Welcome bob.\nTest data will be saved.");
        QTest::newRow("cancelled") << QString()
                                   << QStringLiteral("Welcome, no user logged in.\nTest data will not be saved.");
    }

    void logInAsADifferentUser()
    {
        QFETCH(QString, chosen);
        auto session = std::make_unique<CScriptedSession>();
        session->atStart = [] { return QStringLiteral("anna"); };
        int runs = 0;
        session->again = [&] {
            ++runs;
            return chosen;
        };
        COrthexDoc doc(std::move(session));
        CRecordingTarget target;
        COrthexView view(doc, target, target);
        QObject::connect(&doc, &COrthexDoc::ViewsUpdated, &view, [&view] { view.OnUpdate(); });
        view.OnInitialUpdate();
        view.LogInButton()->click();
        QCOMPARE(runs, 1);
        QCOMPARE(doc.CurrentUser(), chosen);
        QTEST(view.InformationBox()->toPlainText(), "shown");
    }

    void fitsAndCentresTheWindowOnlyAtFirst()
    {
        CAppSettings settings;
        CAppFolders folders(settings);
        auto doc = MakeDocument(QString());
        CMainFrame frame(*doc, settings, folders);
        doc->SetHost(&frame);
        frame.SetNewListPathFunction([](CAppFolders&, QWidget*) { return std::optional<QString>(); });
        frame.resize(300, 200);
        frame.move(0, 0);
        doc->NewDocument();  // the initial update
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        auto* view = qobject_cast<COrthexView*>(frame.Page(PageCommand::Start));
        QVERIFY(view);
        QCOMPARE(frame.centralWidget()->size(), view->FormSize());
        const QPoint centre = frame.frameGeometry().center();
        const QPoint screenCentre = frame.screen()->availableGeometry().center();
        QVERIFY2((centre - screenCentre).manhattanLength() <= 4,
                 qPrintable(QStringLiteral("%1,%2 vs %3,%4").arg(centre.x()).arg(centre.y()).arg(screenCentre.x()).arg(screenCentre.y())));

        // A later list (here a New) opens in the window as the user left it.
        const QRect left(5, 5, frame.width() + 40, frame.height() + 30);
        frame.setGeometry(left);
        doc->NewDocument();
        QCOMPARE(frame.geometry(), left);
    }

    void keyboardOrder()
    {
        auto doc = MakeDocument(QStringLiteral("anna"));
        CRecordingTarget target;
        COrthexView view(*doc, target, target);
        QList<QWidget*> order;
        for (QWidget* w = view.OpenButton(); order.size() < 6; w = w->nextInFocusChain())
            if (view.isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus))
                order << w;
        QCOMPARE(order, (QList<QWidget*>{view.OpenButton(), view.CreateButton(), view.EditButton(),
                                         view.TakeTestButton(), view.LogInButton(), view.InformationBox()}));
        QCOMPARE(view.InformationBox()->accessibleName(), QStringLiteral("Information"));
    }
};

ORTHEX_TEST_MAIN(OrthexViewTest)
#include "orthexview_test.moc"
