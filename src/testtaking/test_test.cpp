#include "testtaking/test.h"

#include "base/appsettings.h"
#include "widgets/dialogunits.h"
#include "widgets/linelistbox.h"
#include "testing/testsupport.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using namespace TestSupport;

namespace {
// Logs in "pupil" at start and "other" at every later log-in.
class CSecondUserSession : public CFixedUserSession
{
public:
    CSecondUserSession() : CFixedUserSession(QStringLiteral("pupil")) {}
    QString LogInAgain() override { return QStringLiteral("other"); }
};

class CRecordingCommands : public IPageCommandTarget
{
public:
    QList<PageCommand> posted;
    void PostPageCommand(PageCommand command) override { posted << command; }
};

const QString kReadyShown = QStringLiteral(
    "Ready.\nClick LISTEN or press Enter to hear word.\nType your answer in Spell It.\nFinally, click NEXT or press "
    "Enter to continue.");
}  // namespace

// The page on a real list file, shown as the main window shows it, with the document's view
// updates reaching it as they reach every page but the sender.
struct SPage {
    std::unique_ptr<COrthexDoc> doc;
    CRecordingCommands commands;
    CAppSettings settings;
    CTest page;

    SPage(const QString& user, const QStringList& words)
        : SPage(MakeDocument(user, words.isEmpty() ? QString() : MakeList(QStringLiteral("Week1.orthex"), words)))
    {
    }
    explicit SPage(std::unique_ptr<COrthexDoc> document)
        : doc(std::move(document))
        , page(*doc, commands, settings)
    {
        QObject::connect(doc.get(), &COrthexDoc::ViewsUpdated, &page, [this](QObject* sender) {
            if (sender != &page)
                page.OnUpdate();
        });
        page.resize(page.FormSize());
        page.show();
        page.OnInitialUpdate();
        page.Session().SetRecordingFolder(NewFolder(QStringLiteral("recordings")));
        page.Session().SetClock([] { return std::time_t(1796699400); });
        page.SetStopQuestion([](QWidget*) { return true; });
    }

    QWidget* Focused() const { return page.window()->focusWidget(); }
    // Enter where the focus is, as the keyboard sends it.
    void Enter() { QTest::keyClick(Focused(), Qt::Key_Return); }
};

class TestPageTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<CRecordingMessageSink> m_sink;

    static QList<QWidget*> enabledOf(const CTest& page)
    {
        QList<QWidget*> on;
        for (QWidget* w : {static_cast<QWidget*>(page.StartButton()), static_cast<QWidget*>(page.StopButton()),
                           static_cast<QWidget*>(page.RandomizeBox()), static_cast<QWidget*>(page.RepeatBox()),
                           static_cast<QWidget*>(page.ListenButton()), static_cast<QWidget*>(page.AnswerField()),
                           static_cast<QWidget*>(page.CheckButton()), static_cast<QWidget*>(page.SkipButton()),
                           static_cast<QWidget*>(page.NextButton())})
            if (w->isEnabled())
                on << w;
        return on;
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("TZ", "UTC");
        tzset();
        m_sink = std::make_unique<CRecordingMessageSink>();
    }
    void init()
    {
        m_sink->Clear();
        CAppSettings settings;
        settings.SetRandomizeList(0);
        settings.SetRepeat(0);
        settings.SetLargerText(0);
    }
    void cleanupTestCase() { m_sink.reset(); }

    void atRest_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("message");
        QTest::newRow("a list of three")
            << QStringList{QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("plum")}
            << QStringLiteral("Click Start button to take a test.");
        QTest::newRow("no list") << QStringList{} << QStringLiteral("No spelling list ...\nPlease open or create a list.");
    }

    void atRest()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, message);
        SPage p(QStringLiteral("pupil"), words);
        QCOMPARE(p.page.MessageField()->toPlainText(), message);
        QCOMPARE(p.page.WordNumberField()->text(), QStringLiteral("0"));
        QCOMPARE(p.page.CorrectField()->text(), QStringLiteral("0"));
        QCOMPARE(p.page.WordCountField()->text(), QString::number(words.size()));
        QCOMPARE(p.page.ScoreField()->text(), QString());
        QCOMPARE(enabledOf(p.page), (QList<QWidget*>{p.page.StartButton(), p.page.RandomizeBox(), p.page.RepeatBox()}));
        QVERIFY(!p.page.EnterKeyButton()->isVisible());
        QVERIFY(p.page.EnterKeyButton()->isDefault());
        if (words.isEmpty()) {
            QTest::mouseClick(p.page.StartButton(), Qt::LeftButton);
            QVERIFY(m_sink->Texts().contains(QStringLiteral("Error with spelling list.\nCheck list and try again.")));
            QVERIFY(!p.doc->IsTestRunning());
        }
    }

    // Enter in the answer field checks; the focus is then on Next, so Enter goes on; the focus
    // is then on Listen, so Enter plays the word.
    void enterKeySequence()
    {
        SPage p(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear")});
        QTest::mouseClick(p.page.StartButton(), Qt::LeftButton);
        QCOMPARE(p.Focused(), p.page.ListenButton());
        QCOMPARE(p.page.MessageField()->toPlainText(), kReadyShown);
        QCOMPARE(p.page.WordNumberField()->text(), QStringLiteral("1"));
        p.page.AnswerField()->setFocus();
        QTest::keyClicks(p.page.AnswerField(), QStringLiteral("Apple"));
        p.Enter();
        QCOMPARE(p.page.MessageField()->toPlainText(),
                 QStringLiteral("Sorry wrong answer.\nThe correct spelling is apple.\nYou wrote:  [A]pple\nRight:  "
                                "[a]pple\nClick NEXT or press Enter to continue."));
        QVERIFY(p.page.MessageField()->accessibleDescription().contains(QStringLiteral(R"("A" should be "a")")));
        QCOMPARE(p.page.ScoreField()->text(), QStringLiteral("0 of 1 right"));
        QCOMPARE(p.page.ResultsList()->count(), 1);
        QCOMPARE(p.page.ResultsList()->item(0)->text(), QStringLiteral("Apple"));
        QCOMPARE(p.Focused(), p.page.NextButton());
        p.Enter();
        QCOMPARE(p.page.WordNumberField()->text(), QStringLiteral("2"));
        QCOMPARE(p.page.AnswerField()->text(), QString());
        QCOMPARE(p.Focused(), p.page.ListenButton());
        m_sink->Clear();
        p.Enter();
        // The listen action ran: the focus went to the answer field (and without an audio
        // server, playing says so).
        QCOMPARE(p.Focused(), p.page.AnswerField());
        QCOMPARE(p.page.WordNumberField()->text(), QStringLiteral("2"));
        QCOMPARE(p.doc->Results().Missed().size(), 1);
    }

    void enterInTheEmptyBox_data()
    {
        QTest::addColumn<int>("autoPlay");
        QTest::newRow("auto-play") << 1;
        QTest::newRow("Listen first") << 0;
    }

    // The hint follows the focus into the answer field; Enter there with nothing typed plays the
    // word again instead of judging it (no audio server here: playing says it failed).
    void enterInTheEmptyBox()
    {
        QFETCH(int, autoPlay);
        SPage p(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear")});
        QVERIFY(p.settings.SetAutoPlay(autoPlay));
        QTest::mouseClick(p.page.StartButton(), Qt::LeftButton);
        if (!autoPlay)
            p.Enter();
        QCOMPARE(p.Focused(), p.page.AnswerField());
        const QString hint = QStringLiteral("The word could not be played.\nType it in Spell It if you know it, or click SKIP WORD.");
        QCOMPARE(p.page.MessageField()->toPlainText(), hint);
        m_sink->Clear();
        p.Enter();
        QVERIFY(m_sink->Texts().contains(QStringLiteral("Play Error")));
        QCOMPARE(p.Focused(), p.page.AnswerField());
        QCOMPARE(p.page.ResultsList()->count(), 0);
        QVERIFY(p.doc->Results().Missed().isEmpty());
        QTest::keyClicks(p.page.AnswerField(), QStringLiteral("apple"));
        p.Enter();
        QCOMPARE(p.page.ResultsList()->count(), 1);
        QCOMPARE(p.Focused(), p.page.NextButton());
        QVERIFY(p.settings.SetAutoPlay(0));
    }

    // Enter on a control that is not a button, and not the answer field, does nothing.
    void enterElsewhere_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("results list") << 0;
        QTest::newRow("instructions") << 1;
        QTest::newRow("Word #") << 2;
    }

    void enterElsewhere()
    {
        QFETCH(int, which);
        SPage p(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear")});
        QTest::mouseClick(p.page.StartButton(), Qt::LeftButton);
        QWidget* target =
            QList<QWidget*>{p.page.ResultsList(), p.page.MessageField(), p.page.WordNumberField()}.at(which);
        target->setFocus();
        QCOMPARE(p.Focused(), target);
        m_sink->Clear();
        p.Enter();
        QVERIFY(p.doc->IsTestRunning());
        QCOMPARE(p.page.WordNumberField()->text(), QStringLiteral("1"));
        QCOMPARE(p.page.ResultsList()->count(), 0);
        QVERIFY(m_sink->Texts().isEmpty());
        QVERIFY(p.doc->Results().Vocabulary().isEmpty());
    }

    // A whole test with the keyboard alone: Space presses the focused button, Tab moves on.
    void keyboardOnly()
    {
        SPage p(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("plum")});
        p.page.StartButton()->setFocus();
        QTest::keyClick(p.Focused(), Qt::Key_Space);
        QVERIFY(p.doc->IsTestRunning());
        const QStringList typed{QStringLiteral("apple"), QStringLiteral("paer"), QStringLiteral("plum")};
        for (const QString& answer : typed) {
            QCOMPARE(p.Focused(), p.page.ListenButton());
            QTest::keyClick(p.Focused(), Qt::Key_Tab);
            QCOMPARE(p.Focused(), p.page.AnswerField());
            QTest::keyClicks(p.Focused(), answer);
            p.Enter();
            p.Enter();
        }
        QVERIFY(!p.doc->IsTestRunning());
        QCOMPARE(p.page.MessageField()->toPlainText(),
                 QStringLiteral("End of test.\nRight: 2, wrong: 1, skipped: 0.\nScore: 2 of 3 right (66.67 %).\n"
                                "Words to practise: pear.\nClick Start to redo test."));
        QCOMPARE(p.page.MessageField()->accessibleDescription(), QString());
        QCOMPARE(p.page.ScoreField()->text(), QStringLiteral("2 of 3 right"));
        QCOMPARE(p.Focused(), p.page.StartButton());
        QCOMPARE(p.doc->Results().Grades().size(), 1);
        QCOMPARE(p.doc->Results().Grades().at(0).GetCorrectCount(), 2);
        // Skip by keyboard in the next test.
        QTest::keyClick(p.Focused(), Qt::Key_Space);
        p.page.SkipButton()->setFocus();
        QTest::keyClick(p.Focused(), Qt::Key_Space);
        QCOMPARE(p.page.ResultsList()->count(), 1);
        QCOMPARE(p.Focused(), p.page.NextButton());
    }

    void resultColours()
    {
        SPage p(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("plum")});
        QTest::mouseClick(p.page.StartButton(), Qt::LeftButton);
        p.page.AnswerField()->setText(QStringLiteral("apple"));
        QTest::mouseClick(p.page.CheckButton(), Qt::LeftButton);
        QTest::mouseClick(p.page.NextButton(), Qt::LeftButton);
        p.page.AnswerField()->setText(QStringLiteral("pare"));
        QTest::mouseClick(p.page.CheckButton(), Qt::LeftButton);
        QTest::mouseClick(p.page.NextButton(), Qt::LeftButton);
        QTest::mouseClick(p.page.SkipButton(), Qt::LeftButton);
        CLineListBox* list = p.page.ResultsList();
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), QStringLiteral("apple"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("pare"));
        QCOMPARE(list->item(2)->text(), QStringLiteral("plum"));
        QCOMPARE(list->LineColour(0), QColor(0, 100, 0));
        QCOMPARE(list->LineColour(1), QColor(205, 0, 0));
        QCOMPARE(list->LineColour(2), QColor(0, 0, 100));
        // Not by colour alone.
        QStringList meanings;
        for (int row = 0; row < list->count(); ++row)
            meanings << list->item(row)->data(Qt::AccessibleDescriptionRole).toString();
        QCOMPARE(meanings, (QStringList{QStringLiteral("right"), QStringLiteral("wrong"), QStringLiteral("skipped")}));
        // The newest line is the selected one.
        QCOMPARE(list->currentRow(), 2);
        QVERIFY(list->item(2)->isSelected());
        QVERIFY(!list->item(1)->isSelected());
        // The lines stay through a reset, until the next start.
        p.page.OnUpdate();
        QCOMPARE(list->count(), 3);
        QTest::mouseClick(p.page.StopButton(), Qt::LeftButton);
        QTest::mouseClick(p.page.StartButton(), Qt::LeftButton);
        QCOMPARE(list->count(), 0);
    }

    // The check boxes change the next test only; the settings come back at the page's next
    // update, and are never written.
    void checkBoxesForTheNextTestOnly()
    {
        SPage p(QString(), {QStringLiteral("apple"), QStringLiteral("pear")});
        QVERIFY(!p.page.RepeatBox()->isChecked());
        QTest::mouseClick(p.page.RepeatBox(), Qt::LeftButton);
        QTest::mouseClick(p.page.RandomizeBox(), Qt::LeftButton);
        QCOMPARE(p.page.Session().Repeat(), 1);
        QCOMPARE(p.page.Session().Randomize(), 1);
        QTest::mouseClick(p.page.StartButton(), Qt::LeftButton);
        QVERIFY(!p.page.RepeatBox()->isEnabled());
        p.page.AnswerField()->setText(QStringLiteral("wrong"));
        QTest::mouseClick(p.page.CheckButton(), Qt::LeftButton);
        QCOMPARE(p.page.MessageField()->toPlainText(), QStringLiteral("Sorry wrong answer.\nRepeating word, try again."));
        QCOMPARE(p.page.AnswerField()->text(), QStringLiteral("wrong"));
        QCOMPARE(p.Focused(), p.page.AnswerField());
        QTest::mouseClick(p.page.StopButton(), Qt::LeftButton);
        QVERIFY(p.page.RepeatBox()->isChecked());
        p.page.OnUpdate();
        QVERIFY(!p.page.RepeatBox()->isChecked());
        QVERIFY(!p.page.RandomizeBox()->isChecked());
        QCOMPARE(p.settings.Repeat(), 0);
        QCOMPARE(p.settings.RandomizeList(), 0);
    }

    void stopAsksFirst_data()
    {
        QTest::addColumn<QString>("before");  // what the pupil did before Stop
        QTest::addColumn<int>("answer");      // to the question: 1 yes, 0 no, -1 Enter in the real box
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("stopped");
        QTest::newRow("no answer yet") << QString() << 1 << false << true;
        QTest::newRow("checked, yes") << QStringLiteral("check") << 1 << true << true;
        QTest::newRow("checked, no") << QStringLiteral("check") << 0 << true << false;
        QTest::newRow("skipped, yes") << QStringLiteral("skip") << 1 << true << true;
        QTest::newRow("the box, Enter keeps the test") << QStringLiteral("check") << -1 << true << false;
    }

    // Stop asks before it ends a test with answers; a test without any stores nothing.
    void stopAsksFirst()
    {
        QFETCH(QString, before);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, stopped);
        SPage p(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear")});
        int writes = 0;
        p.page.SetResultsWriter([&writes](COrthexDoc&) { return ++writes > 0; });
        int questions = 0;
        if (answer >= 0) {
            p.page.SetStopQuestion([&](QWidget*) { return ++questions && answer == 1; });
        } else {
            p.page.SetStopQuestion(nullptr);  // the program's own question box
            QTimer::singleShot(0, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    ++questions;
                    QVERIFY(box->text().startsWith(QStringLiteral("Stop this test now?")));
                    QTest::keyClick(box, Qt::Key_Return);
                }
            });
        }
        QTest::mouseClick(p.page.StartButton(), Qt::LeftButton);
        if (before == QLatin1String("check")) {
            p.page.AnswerField()->setText(QStringLiteral("aple"));
            QTest::mouseClick(p.page.CheckButton(), Qt::LeftButton);
        } else if (before == QLatin1String("skip")) {
            QTest::mouseClick(p.page.SkipButton(), Qt::LeftButton);
        }
        QTest::mouseClick(p.page.StopButton(), Qt::LeftButton);
        QCOMPARE(questions, asked ? 1 : 0);
        QCOMPARE(p.doc->IsTestRunning(), !stopped);
        const bool stored = stopped && !before.isEmpty();
        QCOMPARE(p.doc->Results().Grades().size(), stored ? 1 : 0);
        QCOMPARE(writes, stored ? 1 : 0);
        if (stopped)
            QCOMPARE(p.Focused(), p.page.StartButton());
    }

    // Another user logs in: the last pupil's lines and counters leave the page.
    void clearedForTheNextUser()
    {
        auto doc = std::make_unique<COrthexDoc>(std::make_unique<CSecondUserSession>());
        const QString path = MakeList(QStringLiteral("Users.orthex"), {QStringLiteral("apple"), QStringLiteral("pear")});
        QVERIFY(doc->OpenList(path));
        SPage q(std::move(doc));
        QTest::mouseClick(q.page.StartButton(), Qt::LeftButton);
        q.page.AnswerField()->setText(QStringLiteral("aple"));
        QTest::mouseClick(q.page.CheckButton(), Qt::LeftButton);
        QTest::mouseClick(q.page.NextButton(), Qt::LeftButton);
        QTest::mouseClick(q.page.SkipButton(), Qt::LeftButton);
        QTest::mouseClick(q.page.NextButton(), Qt::LeftButton);
        QCOMPARE(q.page.ResultsList()->count(), 2);
        q.page.OnUpdate();  // the same user: the lines stay
        QCOMPARE(q.page.ResultsList()->count(), 2);
        q.doc->ChangeUser();
        QCOMPARE(q.doc->CurrentUser(), QStringLiteral("other"));
        QCOMPARE(q.page.ResultsList()->count(), 0);
        QCOMPARE(q.page.AnswerField()->text(), QString());
        QCOMPARE(q.page.ScoreField()->text(), QString());
        QCOMPARE(q.page.MessageField()->toPlainText(), QStringLiteral("Click Start button to take a test."));
    }

    // The main window closes during a test: the test stops as Stop does and keeps its grade.
    void frameClosingDuringATest()
    {
        SPage p(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear")});
        int writes = 0;
        p.page.SetResultsWriter([&writes](COrthexDoc&) { return ++writes > 0; });
        QTest::mouseClick(p.page.StartButton(), Qt::LeftButton);
        p.page.AnswerField()->setText(QStringLiteral("apple"));
        QTest::mouseClick(p.page.CheckButton(), Qt::LeftButton);
        p.page.OnFrameClosing();
        QVERIFY(!p.doc->IsTestRunning());
        QCOMPARE(p.doc->Results().Grades().size(), 1);
        QCOMPARE(p.doc->Results().Grades().at(0).GetListName(), QStringLiteral("Week1.orthex--Stopped Test"));
        QCOMPARE(p.doc->Results().Grades().at(0).GetCorrectCount(), 1);
        QCOMPARE(writes, 1);
        // Not during a test: nothing is recorded.
        p.page.OnFrameClosing();
        QCOMPARE(p.doc->Results().Grades().size(), 1);
        QCOMPARE(writes, 1);
        // A test without answers: stopped, and nothing is recorded.
        QTest::mouseClick(p.page.StartButton(), Qt::LeftButton);
        p.page.OnFrameClosing();
        QVERIFY(!p.doc->IsTestRunning());
        QCOMPARE(p.doc->Results().Grades().size(), 1);
        QCOMPARE(writes, 1);
    }

    void everyControlHasAName()
    {
        SPage p(QString(), {QStringLiteral("apple")});
        const QList<QWidget*> controls = p.page.findChildren<QWidget*>();
        QStringList unnamed;
        for (QWidget* w : controls) {
            if (qobject_cast<QLabel*>(w) || !w->focusPolicy() || !w->isVisibleTo(&p.page))
                continue;
            if (!(w->focusPolicy() & Qt::TabFocus))
                continue;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
            if (!face || face->text(QAccessible::Name).isEmpty())
                unnamed << QString::fromLatin1(w->metaObject()->className());
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(','))));
        QCOMPARE(p.page.AnswerField()->accessibleName(), QStringLiteral("Spell it"));
        QCOMPARE(p.page.WordNumberField()->accessibleName(), QStringLiteral("Word #"));
        QCOMPARE(p.page.CorrectField()->accessibleName(), QStringLiteral("# Correct"));
        QCOMPARE(p.page.WordCountField()->accessibleName(), QStringLiteral("# Words"));
        QStringList captions;
        for (QPushButton* b : {p.page.StartButton(), p.page.StopButton(), p.page.ListenButton(), p.page.CheckButton(),
                               p.page.SkipButton(), p.page.NextButton(), p.page.EnterKeyButton()})
            captions << b->text();
        QCOMPARE(captions, (QStringList{QStringLiteral("Start"), QStringLiteral("Stop"), QStringLiteral("Listen to Word"),
                                        QStringLiteral("Check"), QStringLiteral("Skip Word"), QStringLiteral("Next"),
                                        QStringLiteral("Enter Key")}));
        QCOMPARE(p.page.RandomizeBox()->text(), QStringLiteral("Randomize list"));
        QCOMPARE(p.page.RepeatBox()->text(), QStringLiteral("Repeat Until Right/Correct"));
        QStringList labels;
        for (QLabel* label : p.page.findChildren<QLabel*>())
            labels << label->text();
        for (const QString& text : {QStringLiteral("Test Page"), QStringLiteral("Word #"), QStringLiteral("# Correct"),
                                    QStringLiteral("# Words"), QStringLiteral("Score"), QStringLiteral("1)"), QStringLiteral("2)"),
                                    QStringLiteral("Spell it"), QStringLiteral("3)"), QStringLiteral("or"),
                                    QStringLiteral("4)")})
            QVERIFY2(labels.contains(text), qPrintable(text));
    }

    // In a large window the answer box widens and Stop goes to the right edge with the row.
    // (pagelayout_test checks every page's scrolling and sizes in the main window.)
    void growsWithTheWindow()
    {
        SPage p(QStringLiteral("pupil"), {QStringLiteral("apple")});
        p.page.resize(1280, 1000);
        QTest::mouseClick(p.page.StartButton(), Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(p.page.AnswerField()->width() > CDialogUnits(p.page.font()).X(200));
        QVERIFY(p.page.StopButton()->mapTo(&p.page, QPoint(p.page.StopButton()->width(), 0)).x() > 1200);
    }

    // "Larger text" holds from the page's next showing, the answer box with it.
    void largerText_data()
    {
        QTest::addColumn<int>("atFirst");
        QTest::addColumn<int>("thenSet");  // while the page is hidden
        QTest::addColumn<double>("firstSize");
        QTest::addColumn<double>("nextSize");
        QTest::newRow("off") << 0 << 0 << 12.0 << 12.0;
        QTest::newRow("on") << 1 << 1 << 18.0 << 18.0;
        QTest::newRow("turned on") << 0 << 1 << 12.0 << 18.0;
        QTest::newRow("turned off") << 1 << 0 << 18.0 << 12.0;
    }

    void largerText()
    {
        QFETCH(int, atFirst);
        QFETCH(int, thenSet);
        CAppSettings().SetLargerText(atFirst);
        SPage p(QStringLiteral("pupil"), {QStringLiteral("apple")});
        QLineEdit normal;
        normal.setFont(CDialogUnits::FormFont());
        const int normalHeight = normal.sizeHint().height();
        QTEST(p.page.AnswerField()->font().pointSizeF(), "firstSize");
        QCOMPARE(p.page.AnswerField()->sizeHint().height() > normalHeight + 2, atFirst == 1);
        p.page.hide();
        CAppSettings().SetLargerText(thenSet);
        p.page.show();
        QTEST(p.page.AnswerField()->font().pointSizeF(), "nextSize");
        QCOMPARE(p.page.AnswerField()->sizeHint().height() > normalHeight + 2, thenSet == 1);
    }

    // The page during a test, for the documentation (ORTHEX_SCREENSHOT_DIR, else a temporary
    // folder).
    void screenshot()
    {
        SPage p(QStringLiteral("pupil"), {QStringLiteral("receive"), QStringLiteral("weird"), QStringLiteral("babies"),
                                          QStringLiteral("rhythm"), QStringLiteral("phone")});
        QTest::mouseClick(p.page.StartButton(), Qt::LeftButton);
        for (const QString& answer : {QStringLiteral("receive"), QStringLiteral("wierd")}) {
            p.page.AnswerField()->setText(answer);
            QTest::mouseClick(p.page.CheckButton(), Qt::LeftButton);
            QTest::mouseClick(p.page.NextButton(), Qt::LeftButton);
        }
        QTest::mouseClick(p.page.SkipButton(), Qt::LeftButton);
        QTest::mouseClick(p.page.NextButton(), Qt::LeftButton);
        QTest::keyClicks(p.page.AnswerField(), QStringLiteral("rythm"));
        QString folder = qEnvironmentVariable("ORTHEX_SCREENSHOT_DIR");
        if (folder.isEmpty())
            folder = NewFolder(QStringLiteral("screenshots"));
        QDir().mkpath(folder);
        QCoreApplication::processEvents();  // the layout settles, as in the running program
        const QImage image = p.page.grab().toImage();
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), p.page.size() * image.devicePixelRatio());
        QVERIFY(image.save(QDir(folder).filePath(QStringLiteral("test-page.png"))));
    }
};

ORTHEX_TEST_MAIN(TestPageTest)
#include "test_test.moc"
