#include "app/orthexapp.h"
#include "app/orthexview.h"
#include "lists/words.h"
#include "testtaking/test.h"
#include "users/logindlg.h"
#include "widgets/linelistbox.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testsupport.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace TestSupport;

namespace {
class CCommands : public IPageCommandTarget, public IFrameCommandTarget
{
public:
    void PostPageCommand(PageCommand) override {}
    void PostFrameCommand(FrameCommand) override {}
};

QPushButton* buttonOf(const QWidget& window, const QString& caption)
{
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == caption)
            return button;
    return nullptr;
}
}  // namespace

// Enter on the focused button of the real pages and dialogs, with the application object the
// program runs on (it installs the Enter handling once for every window).
class EnterKeyTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<CRecordingMessageSink> m_sink;

private Q_SLOTS:
    void initTestCase() { m_sink = std::make_unique<CRecordingMessageSink>(); }
    void cleanupTestCase() { m_sink.reset(); }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("start page") << QStringLiteral("start") << QStringLiteral("Take a Spelling Test");
        QTest::newRow("test page, Start") << QStringLiteral("test") << QStringLiteral("Start");
        QTest::newRow("test page, Skip Word") << QStringLiteral("test") << QStringLiteral("Skip Word");
        QTest::newRow("words page") << QStringLiteral("words") << QStringLiteral("Speak");
        QTest::newRow("log-in dialog, Cancel") << QStringLiteral("login") << QStringLiteral("Cancel");
    }

    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        auto doc = MakeDocument(QStringLiteral("pupil"),
                                MakeList(QStringLiteral("Enter.orthex"), {QStringLiteral("apple"), QStringLiteral("pear")}));
        CCommands commands;
        CAppSettings settings;
        std::unique_ptr<QWidget> shown;
        CTest* testPage = nullptr;
        if (window == QLatin1String("start")) {
            shown = std::make_unique<COrthexView>(*doc, commands, commands);
        } else if (window == QLatin1String("test")) {
            testPage = new CTest(*doc, commands, settings);
            shown.reset(testPage);
        } else if (window == QLatin1String("words")) {
            shown = std::make_unique<CWords>(*doc, commands, settings);
        } else {
            shown = std::make_unique<CLogInDlg>();
        }
        if (auto* page = qobject_cast<CPageView*>(shown.get()))
            page->OnInitialUpdate();
        shown->show();
        QApplication::setActiveWindow(shown.get());
        QVERIFY(QTest::qWaitForWindowActive(shown.get()));
        if (testPage)
            testPage->Session().SetRecordingFolder(NewFolder(QStringLiteral("recordings")));
        if (testPage && caption != QLatin1String("Start"))
            testPage->StartButton()->click();

        QPushButton* button = buttonOf(*shown, caption);
        QVERIFY(button);
        QVERIFY(button->isEnabled());
        button->setFocus();
        QVERIFY(button->hasFocus());
        QSignalSpy clicked(button, &QPushButton::clicked);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicked.size(), 1);
        if (testPage && caption == QLatin1String("Skip Word"))
            QCOMPARE(testPage->ResultsList()->count(), 1);
        // Cancel, not the dialog's default OK.
        if (auto* dialog = qobject_cast<QDialog*>(shown.get())) {
            QVERIFY(!dialog->isVisible());
            QCOMPARE(dialog->result(), int(QDialog::Rejected));
        }
    }
};

int main(int argc, char** argv)
{
    CTestEnvironment environment;
    COrthexApp app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    EnterKeyTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "enterkey_test.moc"
