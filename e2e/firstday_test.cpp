// A family's first day with Orthex, run as the whole program in this process: the application
// object, its start-up with the real log-in dialog, the main window and its pages, the message
// boxes, and the program's end, with the test audio server as microphone and speaker and the
// user's folders in a temporary folder. A robot answers every modal window as a person would.
//
// The test functions run in their order and tell the day as a story; each one goes on from
// where the one before left the program, so a step that fails stops the story there.

#include "base/appsettings.h"
#include "widgets/linelistbox.h"
#include "app/mainframe.h"
#include "app/orthexapp.h"
#include "app/orthexview.h"
#include "dialogrobot.h"
#include "document/orthexdoc.h"
#include "lists/savedlg.h"
#include "lists/words.h"
#include "reports/reports.h"
#include "sound/loadedsound.h"
#include "sound/soundplayer.h"
#include "sound/soundrecorder.h"
#include "sound/wavformat.h"
#include "testtaking/test.h"
#include "testing/testaudio.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "testing/testlists.h"
#include "base/archive.h"
#include "users/logindlg.h"
#include "storage/recordlist.h"
#include "storage/records.h"
#include "widgets/simplecombo.h"
#include "users/user.h"
#include "users/userfile.h"
#include "widgets/waitdlg.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTreeView>
#include <QtTest>

#include <functional>
#include <memory>

// Every step after the first goes on from the one before; once one failed, the rest fail too,
// naming it.
#define ORTHEX_STORY_GOES_ON()                                                               \
    do {                                                                                     \
        if (!m_strBrokenAt.isEmpty())                                                        \
            QFAIL(qPrintable(QStringLiteral("the story stopped at %1").arg(m_strBrokenAt))); \
    } while (false)

namespace {
const QString kParent = QStringLiteral("Mum");
const QString kListName = QStringLiteral("Week 1");
const QString kListTitle = kListName + QStringLiteral(".orthex");
const QString kPracticeName = QStringLiteral("Practice 1");

// The three words of the list, in the order they are added (and asked, since the list is not
// shuffled), how each recording is made, and what the pupil does with it in the test.
enum class EMade { Recorded, Spoken };
struct SWordPlan {
    const char* word;
    EMade made;
    const char* answer;  // null: the word is skipped
};
const SWordPlan kWords[] = {
    {"necessary", EMade::Recorded, "necessary"},  // right
    {"believe", EMade::Recorded, "beleive"},      // wrong: "ie/ei"
    {"rhythm", EMade::Spoken, nullptr},           // skipped
};
const QString kMissedWord = QStringLiteral("believe");
const QString kMisspelling = QStringLiteral("beleive");
const QString kMissedLabel = QStringLiteral("ie/ei:  ei to ie");
const QString kSkippedWord = QStringLiteral("rhythm");

// --- The archive byte format, worked out independently of the program's writer ---

// A text field of the given length in UTF-16 units: FF FE FF, the length, the units.
qint64 textBytes(qsizetype units)
{
    const qint64 length = units < 0xFF ? 1 : (units < 0xFFFE ? 3 : 7);
    return 3 + length + 2 * qint64(units);
}
qint64 textBytes(const QString& text)
{
    return textBytes(text.size());
}
// The element count, and the class reference of the first and of every later record.
qint64 countBytes(qsizetype n)
{
    return n < 0xFFFF ? 2 : 6;
}
qint64 firstTagBytes(const char* className)
{
    return 6 + qint64(qstrlen(className));
}
constexpr qint64 kLaterTagBytes = 2;

template <class T>
qint64 listBytes(const CRecordList<T>& list, const std::function<qint64(const T&)>& fieldBytes)
{
    qint64 bytes = countBytes(list.size());
    bool first = true;
    for (const T& record : list) {
        bytes += (first ? firstTagBytes(T::kClassName) : kLaterTagBytes) + fieldBytes(record);
        first = false;
    }
    return bytes;
}

// A stored list read with the program's own archive reader; *consumed is where it stopped.
template <class T>
bool loadList(const QByteArray& bytes, CRecordList<T>& list, qint64* consumed, QString* error)
{
    try {
        *consumed = LoadListBytes(bytes, list);
        return true;
    } catch (const CArchiveException& e) {
        *error = e.Text();
        return false;
    }
}

// The texts of a report's rows as the list view shows them, every column (hidden ones too).
QList<QStringList> rowsOf(const QTreeView* view)
{
    QList<QStringList> rows;
    const QAbstractItemModel* model = view->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model->columnCount(); ++c)
            row << model->data(model->index(r, c), Qt::DisplayRole).toString();
        rows << row;
    }
    return rows;
}

// Each text once, in this order, in text read back from a PDF; runs of blanks count as one,
// since pdftotext sets its own spacing.
bool containsInOrder(QString text, const QStringList& wanted, QString* missing)
{
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    text.replace(blanks, QStringLiteral(" "));
    qsizetype from = 0;
    for (QString part : wanted) {
        part.replace(blanks, QStringLiteral(" "));
        const qsizetype at = text.indexOf(part, from);
        if (at < 0) {
            *missing = part;
            return false;
        }
        from = at + part.size();
    }
    return true;
}

QString pdfText(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool hasSpeech(const QByteArray& wav)
{
    const std::optional<CWavLayout> layout = WavHeader::Parse(wav);
    return layout && layout->dataSize > 0 && TestAudio::HasSound(wav.mid(layout->dataOffset, layout->dataSize));
}

// A click on a check box's indicator, where a person clicks it (its middle may lie beyond its
// caption, where a click does nothing).
void clickCheckBox(QCheckBox* box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
}

// Waits (running the event loop) until the condition holds.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 15000)
{
    return QTest::qWaitFor(condition, timeoutMs);
}
}  // namespace

class FirstDayTest : public QObject
{
    Q_OBJECT

public:
    explicit FirstDayTest(char* program)
        : m_argv{program, nullptr}
    {
    }

private:
    // The program's own command line: no file, so it starts with no list.
    int m_argc = 1;
    char* m_argv[2];
    std::unique_ptr<COrthexApp> m_app;
    std::unique_ptr<CDialogRobot> m_robot;
    QString m_strBrokenAt;  // the step that failed; the story stops there

    // What the day leaves, for the later steps.
    QMap<QString, QByteArray> m_recorded;  // word -> the WAV it was stored with
    QString m_strDateText;                 // the test's date text
    QStringList m_listsMade;               // the list files made, newest first
    QMap<QString, QByteArray> m_userFolderAfterFirstDay;

    // --- Folders and files ---
    static QString UserFolder() { return CTestEnvironment::Instance().SharedDocuments() + QStringLiteral("/Orthex"); }
    static QString SaveFolder() { return CTestEnvironment::Instance().Documents() + QStringLiteral("/Orthex"); }
    static QString ListPath() { return SaveFolder() + QLatin1Char('/') + kListTitle; }
    static QString UserFile(const QString& suffix) { return UserFolder() + QLatin1Char('/') + suffix; }
    static QString ResultFile(const char* extension) { return UserFile(kParent + QLatin1String(extension)); }
    static QStringList UserFolderFiles()
    {
        return {CUserFile::FileName(), kParent + QStringLiteral(".sp3"), kParent + QStringLiteral(".sp4"),
                kParent + QStringLiteral(".sp5")};
    }

    // The keys of the user's settings store, as another program would read them.
    static QStringList StoredSettings()
    {
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vellomar"),
                        QStringLiteral("Orthex"));
        return store.allKeys();
    }

    // --- The program ---
    CMainFrame* Frame() const { return m_app ? m_app->MainFrame() : nullptr; }
    COrthexDoc& Doc() const { return Frame()->GetDocument(); }
    template <class Page>
    Page* PageOf(PageCommand page) const
    {
        return qobject_cast<Page*>(Frame()->Page(page));
    }
    COrthexView* StartPage() const { return PageOf<COrthexView>(PageCommand::Start); }

    // The program as started from its desktop entry: the application object, with the robot
    // at the screen from the first moment (start-up runs the log-in dialog). InitInstance()
    // is then the start-up itself.
    void MakeProgram()
    {
        m_app = std::make_unique<COrthexApp>(m_argc, m_argv);
        m_robot = std::make_unique<CDialogRobot>();
        m_robot->LeaveAlone<CWaitDlg>();
    }

    // Exit, as from the toolbar, then the application object goes and with it the main window
    // and the document, which writes the results back. The robot stays until the very end, for
    // a message box the shut-down might show.
    void EndProgram()
    {
        if (Frame() && Frame()->isVisible()) {
            QAction* exit = Frame()->ExitAction();
            if (exit->isEnabled())
                exit->trigger();
            else
                Frame()->close();
            QTest::qWait(50);
        }
        m_app.reset();
        m_robot.reset();
    }

    // Switches pages with the main window's page action, as the toolbar does.
    bool ShowPage(PageCommand page)
    {
        QAction* action = Frame()->PageAction(page);
        if (!action->isEnabled())
            return false;
        action->trigger();
        return Frame()->CurrentPage() == page;
    }

    // What the robot saw since the last look, one line per window.
    QString Seen() { return m_robot ? m_robot->TakeSeen().join(QLatin1Char('\n')) : QString(); }

    // --- Steps of the first day ---

    // "Creating a new Spelling List ...": the name typed; the path it shows is kept.
    void ExpectNewListDialog(const QString& name, QString* shownPath)
    {
        m_robot->Expect<CSaveDlg>([name, shownPath](CSaveDlg* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("listNameEdit"));
            auto* path = dialog->findChild<QLineEdit*>(QStringLiteral("pathEdit"));
            auto* next = dialog->findChild<QPushButton*>(QStringLiteral("nextButton"));
            if (!edit || !path || !next) {
                dialog->reject();
                return;
            }
            QTest::keyClicks(edit, name);
            *shownPath = path->text();
            QTest::mouseClick(next, Qt::LeftButton);
        });
    }

    template <class T = QPushButton>
    static T* Control(QWidget* page, const char* name)
    {
        return page->findChild<T*>(QLatin1String(name));
    }

    // One word on the words page: typed, its recording made (said into the microphone, or
    // spoken by the speech engine), played and added.
    void AddWord(CWords* page, const QString& word, EMade made, const QByteArray& speech)
    {
        QLineEdit* edit = Control<QLineEdit>(page, "wordEdit");
        QVERIFY(edit);
        QTest::keyClicks(edit, word);
        QCOMPARE(edit->text(), word);

        if (made == EMade::Recorded) {
            QPushButton* record = Control(page, "recordButton");
            QVERIFY(record && record->isEnabled());
            QTest::mouseClick(record, Qt::LeftButton);
            QVERIFY(page->Recorder().IsCapturing());
            {
                CMicrophoneFeeder feeder(speech);
                feeder.Start();
                QVERIFY(feeder.Wait());
                QVERIFY(!feeder.Failed());
            }
            QTest::qWait(500);
            QTest::mouseClick(Control(page, "stopButton"), Qt::LeftButton);
        } else {
            QPushButton* speak = Control(page, "speakButton");
            QVERIFY(speak && speak->isEnabled());
            QTest::mouseClick(speak, Qt::LeftButton);
        }
        const QByteArray recording = TestFiles::Read(page->TempWavPath());
        QVERIFY2(hasSpeech(recording), qPrintable(word + QStringLiteral(": the recording is silent or not a WAV file")));
        // The microphone records at the rate of the "Rate" setting, 22,050 Hz while it is unset.
        if (made == EMade::Recorded)
            QCOMPARE(WavHeader::Parse(recording)->format.nSamplesPerSec, quint32(22050));

        CSpeakerCapture speaker;
        QVERIFY(speaker.Start());
        QPushButton* play = Control(page, "playButton");
        QVERIFY(play->isEnabled());
        QTest::mouseClick(play, Qt::LeftButton);
        QVERIFY(page->Player().GetLoadedSound());
        QVERIFY(page->Player().GetLoadedSound()->WaitUntilDone(30000));
        QVERIFY2(TestAudio::HasSound(speaker.Stop()), qPrintable(word + QStringLiteral(": Play was not heard")));

        QPushButton* add = Control(page, "addButton");
        QVERIFY(add->isEnabled());
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(Seen(), QString());
        QCOMPARE(page->ListedWords().last(), word);
        m_recorded.insert(word, recording);
    }

    // Listen to Word, heard on the speaker.
    static QByteArray Listen(CTest* page)
    {
        CSpeakerCapture speaker;
        if (!speaker.Start())
            return {};
        QTest::qWait(200);
        QTest::mouseClick(page->ListenButton(), Qt::LeftButton);
        if (CLoadedSound* sound = page->Player().GetLoadedSound())
            sound->WaitUntilDone(30000);
        QTest::qWait(200);
        return speaker.Stop();
    }

    CReports* Reports() const { return PageOf<CReports>(PageCommand::Reports); }

    // A report's radio button: by its kind for the three the page always had, by its caption
    // for any other.
    QRadioButton* ReportRadio(const QString& caption) const
    {
        for (QRadioButton* radio : Reports()->findChildren<QRadioButton*>())
            if (radio->text() == caption)
                return radio;
        return nullptr;
    }

    QList<QStringList> ShowReport(const QString& caption)
    {
        QRadioButton* radio = ReportRadio(caption);
        if (!radio)
            return {};
        if (!radio->isChecked())
            QTest::mouseClick(radio, Qt::LeftButton);
        return rowsOf(Reports()->ListView());
    }

    // The rows each report shows after the first day.
    void ReportRows_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("grades") << QStringLiteral("Grades")
                                << QList<QStringList>{{kListTitle, m_strDateText, QStringLiteral("1"),
                                                       QStringLiteral("3"), QStringLiteral(" 33 %")}};
        QTest::newRow("misspelled words") << QStringLiteral("Misspelled Words")
                                          << QList<QStringList>{{kListTitle, m_strDateText, kMissedWord,
                                                                 kMisspelling, kMissedLabel}};
        QTest::newRow("vocabulary") << QStringLiteral("Vocabulary List")
                                    << QList<QStringList>{{kListTitle, QString(), m_strDateText, kSkippedWord}};
        QTest::newRow("error profile") << QStringLiteral("Error Profile")
                                       << QList<QStringList>{{QStringLiteral("ie/ei"), QStringLiteral("1"),
                                                              QStringLiteral("100.0 %"), m_strDateText,
                                                              kMissedWord + QStringLiteral(" (") + kMisspelling
                                                                  + QStringLiteral(")")}};
    }

    void CheckReportRows()
    {
        QFETCH(QString, report);
        QFETCH(QList<QStringList>, rows);
        QVERIFY(ShowPage(PageCommand::Reports) || Frame()->CurrentPage() == PageCommand::Reports);
        QVERIFY2(ReportRadio(report), qPrintable(QStringLiteral("no report \"%1\" on the reports page").arg(report)));
        QCOMPARE(ShowReport(report), rows);
        QCOMPARE(Seen(), QString());
    }

    // "Print": the font dialog (answered with Arial 12, as it starts), then the preview, which
    // here paints into a PDF file; the text read back from it.
    QString PrintToPdf(const QString& report, const QString& pdf)
    {
        if (ShowReport(report).isEmpty())
            return QString();
        int previews = 0;
        const CReports::FontDialogFunction oldFont =
            CReports::SetFontDialogFunction([](QWidget*, const QFont& initial) { return std::optional<QFont>(initial); });
        const CReports::PreviewFunction oldPreview = CReports::SetPreviewFunction(
            [&previews, pdf](QWidget*, QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
                ++previews;
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(pdf);
                paint(&printer);
            });
        QTest::mouseClick(Reports()->PrintButton(), Qt::LeftButton);
        waitFor([&previews] { return previews > 0; });
        CReports::SetFontDialogFunction(oldFont);
        CReports::SetPreviewFunction(oldPreview);
        if (previews != 1 || !QFileInfo(pdf).isFile())
            return QString();
        return pdfText(pdf);
    }

private Q_SLOTS:
    void initTestCase()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed, so the printed report cannot be read back");
    }

    void cleanup()
    {
        if (QTest::currentTestFailed() && m_strBrokenAt.isEmpty()) {
            m_strBrokenAt = QString::fromLatin1(QTest::currentTestFunction());
            if (m_robot) {
                m_robot->ClearExpectations();
                qWarning() << "seen at the failure:" << m_robot->TakeSeen();
            }
        }
    }

    void cleanupTestCase()
    {
        EndProgram();
    }

    // The first start on a clean account: the log-in dialog comes before the main window; a
    // new user with a blank password and automatic log-in next time.
    void firstStartLogsInANewUser()
    {
        QVERIFY(!QFileInfo::exists(UserFile(CUserFile::FileName())));
        MakeProgram();
        bool frameShownAtLogIn = true;
        m_robot->Expect<CLogInDlg>([&frameShownAtLogIn](CLogInDlg* dialog) {
            frameShownAtLogIn = false;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (qobject_cast<CMainFrame*>(widget) && widget->isVisible())
                    frameShownAtLogIn = true;
            QTest::keyClicks(dialog->NameBox()->Edit(), kParent);
            QVERIFY(!dialog->AutoLogInCheck()->isChecked());
            clickCheckBox(dialog->AutoLogInCheck());
            QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        });
        QVERIFY(m_app->InitInstance());
        QCOMPARE(Seen(), QStringLiteral("dialog: Log In To Orthex"));
        QVERIFY(!frameShownAtLogIn);

        QVERIFY(Frame() && Frame()->isVisible());
        QCOMPARE(Frame()->CurrentPage(), PageCommand::Start);
        QCOMPARE(Frame()->UserPane()->text(), kParent);
        QCOMPARE(Doc().CurrentUser(), kParent);
        // Start-up wrote no setting of its own: only the log-in's "Auto".
        QCOMPARE(StoredSettings(), QStringList{QStringLiteral("Settings/Auto")});
        QCOMPARE(CAppSettings().AutoLogInName(), kParent);
        QVERIFY(QFileInfo(UserFile(CUserFile::FileName())).isFile());
        QCOMPARE(StartPage()->InformationText(), QStringLiteral("Welcome Mum.\r\nTest data will be saved."));
    }

    // "Create a New Spelling List": the new-list dialog names the list in the save folder, and
    // the words page comes up for it.
    void createNewListNamesIt()
    {
        ORTHEX_STORY_GOES_ON();
        QString shownPath;
        ExpectNewListDialog(kListName, &shownPath);
        QTest::mouseClick(StartPage()->CreateButton(), Qt::LeftButton);
        QVERIFY(waitFor([this] { return Frame()->CurrentPage() == PageCommand::Words; }));
        QCOMPARE(Seen(), QStringLiteral("dialog: Creating a new Spelling List ..."));
        QCOMPARE(shownPath, ListPath());
        QVERIFY(Doc().IsListOpen());
        QCOMPARE(Doc().GetPathName(), ListPath());
        QCOMPARE(Frame()->windowTitle(), kListTitle + QStringLiteral(" - Orthex"));
        QVERIFY(QFileInfo(ListPath()).isFile());
        m_listsMade.prepend(ListPath());
    }

    // The words page: two words recorded from speech said into the microphone, one made with
    // "Speak"; all three added and stored at once, with the user as their creator.
    void wordsAreRecordedSpokenAndAdded()
    {
        ORTHEX_STORY_GOES_ON();
        auto* page = PageOf<CWords>(PageCommand::Words);
        QVERIFY(page && page->isVisible());
        QVERIFY(page->HasMicrophone());
        QVERIFY2(Control(page, "speakButton"), "the words page has no \"Speak\" button");
        for (const SWordPlan& plan : kWords) {
            const QString word = QString::fromLatin1(plan.word);
            const EMade made = plan.made;
            QByteArray speech;
            if (made == EMade::Recorded) {
                QString error;
                speech = TestAudio::Speech(word, TestAudio::kMicRate, TestAudio::kMicChannels, &error);
                QVERIFY2(!speech.isEmpty(), qPrintable(error));
            }
            AddWord(page, word, made, speech);
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(Control<QLineEdit>(page, "wordCountEdit")->text(), QStringLiteral("3"));

        // The list file holds the three rows as they were added.
        const QList<TestLists::Row> rows = TestLists::Read(ListPath());
        QCOMPARE(rows.size(), 3);
        for (int i = 0; i < rows.size(); ++i) {
            const QString word = QString::fromLatin1(kWords[i].word);
            QCOMPARE(rows.at(i).order, i + 1);
            QCOMPARE(rows.at(i).word, word);
            QCOMPARE(rows.at(i).createdBy, kParent);
            QVERIFY2(rows.at(i).sound == m_recorded.value(word), qPrintable(word));
        }
    }

    // The start page names the list and its creator.
    void startPageNamesTheListAndItsCreator()
    {
        ORTHEX_STORY_GOES_ON();
        QVERIFY(ShowPage(PageCommand::Start));
        QCOMPARE(StartPage()->InformationText(),
                 QStringLiteral("Welcome Mum.\r\nTest data will be saved.\r\n\r\nSpelling list Week 1.orthex "
                                "opened.\r\nCreated by Mum."));
        QVERIFY(StartPage()->EditButton()->isEnabled());
        // The list holds three words, so a test can be taken (the toolbar's Test says so too).
        QVERIFY(Frame()->PageAction(PageCommand::Test)->isEnabled());
        QVERIFY(StartPage()->TakeTestButton()->isEnabled());
        QCOMPARE(Seen(), QString());
    }

    // A test: every word heard on the speaker; one right, one wrong, one skipped.
    void aTestIsTaken()
    {
        ORTHEX_STORY_GOES_ON();
        // "Take a Spelling Test", or the toolbar's Test while that button is wrongly disabled.
        if (StartPage()->TakeTestButton()->isEnabled())
            QTest::mouseClick(StartPage()->TakeTestButton(), Qt::LeftButton);
        else
            QVERIFY(ShowPage(PageCommand::Test));
        QVERIFY(waitFor([this] { return Frame()->CurrentPage() == PageCommand::Test; }));
        auto* page = PageOf<CTest>(PageCommand::Test);
        QVERIFY(page);
        QCOMPARE(page->WordCountField()->text(), QStringLiteral("3"));

        QTest::mouseClick(page->StartButton(), Qt::LeftButton);
        QVERIFY(Doc().IsTestRunning());
        // While the test runs the pages cannot be switched, nor the program left.
        QVERIFY(!Frame()->PageAction(PageCommand::Start)->isEnabled());
        QVERIFY(!Frame()->ExitAction()->isEnabled());
        m_strDateText = page->Session().DateText();
        QVERIFY(!m_strDateText.isEmpty());

        for (const SWordPlan& plan : kWords) {
            const QString word = QString::fromLatin1(plan.word);
            QVERIFY2(TestAudio::HasSound(Listen(page)), qPrintable(word + QStringLiteral(": Listen was not heard")));
            if (plan.answer) {
                QTest::keyClicks(page->AnswerField(), QString::fromLatin1(plan.answer));
                QTest::mouseClick(page->CheckButton(), Qt::LeftButton);
            } else {
                QTest::mouseClick(page->SkipButton(), Qt::LeftButton);
            }
            QVERIFY(page->NextButton()->isEnabled());
            QTest::mouseClick(page->NextButton(), Qt::LeftButton);
        }
        QVERIFY(!Doc().IsTestRunning());
        QCOMPARE(page->CorrectField()->text(), QStringLiteral("1"));
        QCOMPARE(page->ScoreField()->text(), QStringLiteral("1 of 3 right"));
        const QList<STestLine> expectedLines = {{QStringLiteral("necessary"), CTestSession::kRightColour},
                                                {kMisspelling, CTestSession::kWrongColour},
                                                {kSkippedWord, CTestSession::kSkippedColour}};
        QCOMPARE(page->Session().Results(), expectedLines);
        QCOMPARE(page->ResultsList()->count(), 3);
        QCOMPARE(Seen(), QString());

        // The finished test is written at once, before the program ends.
        CRecordList<CGrade> grades;
        qint64 consumed = 0;
        QString error;
        QVERIFY2(loadList(TestFiles::Read(ResultFile(".sp3")), grades, &consumed, &error), qPrintable(error));
        QCOMPARE(grades.size(), 1);
        QCOMPARE(grades.at(0).GetCorrectCount(), 1);
        QCOMPARE(grades.at(0).GetWordCount(), 3);
    }

    // The reports page: the grade row "33 %", the misspelling with its error label, the
    // skipped word, and the error profile.
    void reportsShowTheTest_data() { ReportRows_data(); }
    void reportsShowTheTest()
    {
        ORTHEX_STORY_GOES_ON();
        CheckReportRows();
    }

    // "Make Practice List..." from the misspelled word: a new list of it, its recording copied
    // from the list it was tested from, opened as File Open opens one.
    void practiceListFromTheMisspelledWord()
    {
        ORTHEX_STORY_GOES_ON();
        QVERIFY(Frame()->CurrentPage() == PageCommand::Reports || ShowPage(PageCommand::Reports));
        QCOMPARE(ShowReport(QStringLiteral("Misspelled Words")).size(), 1);
        QPushButton* make = nullptr;
        for (QPushButton* button : Reports()->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("Make Practice List..."))
                make = button;
        QVERIFY2(make, "the reports page has no \"Make Practice List...\" button");
        QVERIFY(make->isEnabled());
        Reports()->ListView()->selectAll();
        const QString practicePath = SaveFolder() + QLatin1Char('/') + kPracticeName + QStringLiteral(".orthex");
        QString shownPath;
        ExpectNewListDialog(kPracticeName, &shownPath);
        QTest::mouseClick(make, Qt::LeftButton);
        QVERIFY(waitFor([this] { return m_robot->Pending() == 0 && QApplication::activeModalWidget() == nullptr; }));
        QTest::qWait(100);
        QCOMPARE(Seen(), QStringLiteral("dialog: Creating a new Spelling List ...\n"
                                        "message: The practice list has 1 word: 1 recording copied from its list, "
                                        "0 spoken."));
        QCOMPARE(shownPath, practicePath);
        QCOMPARE(Doc().GetPathName(), practicePath);
        m_listsMade.prepend(practicePath);
        const QList<TestLists::Row> rows = TestLists::Read(practicePath);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).word, kMissedWord);
        QCOMPARE(rows.at(0).createdBy, kParent);
        QVERIFY2(rows.at(0).sound == m_recorded.value(kMissedWord), "the recording was not copied byte for byte");
        // The week's list is left as it was.
        QCOMPARE(TestLists::Read(ListPath()).size(), 3);
    }

    // A print preview, painted into a PDF and read back.
    void printPreviewIsWrittenToPdf_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("grades") << QStringLiteral("Grades")
                                << QStringList{QStringLiteral("Grades -- Mum"), QStringLiteral("Page 1 of 1"),
                                               QStringLiteral("Spelling List"), QStringLiteral("Date"),
                                               QStringLiteral("#Correct"), QStringLiteral("#Words"),
                                               QStringLiteral("Grade"), kListTitle, m_strDateText,
                                               QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("33%")};
        QTest::newRow("misspelled words") << QStringLiteral("Misspelled Words")
                                          << QStringList{QStringLiteral("Misspelled Words -- Mum"),
                                                         QStringLiteral("Page 1 of 1"), QStringLiteral("Word"),
                                                         QStringLiteral("Misspelling"), QStringLiteral("Spelling Errors"),
                                                         kMissedWord, kMisspelling, kMissedLabel};
    }

    void printPreviewIsWrittenToPdf()
    {
        ORTHEX_STORY_GOES_ON();
        QFETCH(QString, report);
        QFETCH(QStringList, texts);
        QVERIFY(Frame()->CurrentPage() == PageCommand::Reports || ShowPage(PageCommand::Reports));
        const QString pdf = CTestEnvironment::Instance().Root() + QStringLiteral("/%1.pdf").arg(QTest::currentDataTag());
        const QString text = PrintToPdf(report, pdf);
        QVERIFY2(!text.isEmpty(), "no preview was painted, or pdftotext read nothing");
        QString missing;
        QVERIFY2(containsInOrder(text, texts, &missing),
                 qPrintable(QStringLiteral("\"%1\" is missing from:\n%2").arg(missing, text)));
        QCOMPARE(Seen(), QString());
    }

    // The program ends with Exit; the results are written back on the way out.
    void theProgramEnds()
    {
        ORTHEX_STORY_GOES_ON();
        QVERIFY(Frame()->ExitAction()->isEnabled());
        Frame()->ExitAction()->trigger();
        QVERIFY(!Frame()->isVisible());
        m_app.reset();
        QCOMPARE(Seen(), QString());
        m_robot.reset();
        for (const QString& name : UserFolderFiles())
            m_userFolderAfterFirstDay.insert(name, TestFiles::Read(UserFile(name)));
    }

    // The user folder byte for byte: each file decoded with the program's readers, its records
    // as the day made them, and its length what the format gives for those records.
    void userFolderHoldsTheDay_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("users") << CUserFile::FileName();
        QTest::newRow("grades") << kParent + QStringLiteral(".sp3");
        QTest::newRow("misspelled words") << kParent + QStringLiteral(".sp4");
        QTest::newRow("vocabulary") << kParent + QStringLiteral(".sp5");
    }

    void userFolderHoldsTheDay()
    {
        ORTHEX_STORY_GOES_ON();
        QFETCH(QString, file);
        const QByteArray bytes = m_userFolderAfterFirstDay.value(file);
        QVERIFY2(!bytes.isEmpty(), qPrintable(file + QStringLiteral(" is missing or empty")));
        qint64 consumed = 0;
        qint64 expected = -1;
        QString error;
        if (file == CUserFile::FileName()) {
            CRecordList<CUser> users;
            try {
                CUserFile::Load(bytes, users);
            } catch (const CArchiveException& e) {
                QFAIL(qPrintable(e.Text()));
            }
            QCOMPARE(users.size(), 1);
            QCOMPARE(users.at(0).GetName(), kParent);
            QCOMPARE(users.at(0).GetPassword(), QStringLiteral(" "));  // a blank password
            expected = listBytes<CUser>(users, [](const CUser& u) {
                return textBytes(u.GetName()) + textBytes(u.GetPassword());
            });
            // The name is kept scrambled: its letters are not in the file as typed.
            QVERIFY(!bytes.contains(QByteArray::fromRawData(reinterpret_cast<const char*>(kParent.utf16()),
                                                            kParent.size() * 2)));
            // Where the archive reader stops: at the end of the file.
            CRecordList<CUser> again;
            QVERIFY2(loadList(bytes, again, &consumed, &error), qPrintable(error));
            QCOMPARE(again.size(), 1);
        } else if (file.endsWith(QLatin1String(".sp3"))) {
            CRecordList<CGrade> grades;
            QVERIFY2(loadList(bytes, grades, &consumed, &error), qPrintable(error));
            QCOMPARE(grades.size(), 1);
            QCOMPARE(grades.at(0).GetListName(), kListTitle);
            QCOMPARE(grades.at(0).GetDateText(), m_strDateText);
            QCOMPARE(grades.at(0).GetCorrectCount(), 1);
            QCOMPARE(grades.at(0).GetWordCount(), 3);
            expected = listBytes<CGrade>(grades, [](const CGrade& g) {
                return 4 + 4 + textBytes(g.GetDateText()) + textBytes(g.GetListName());
            });
            // The two counts come first: 1 and 3 as little-endian 32-bit numbers.
            QCOMPARE(bytes.mid(2 + firstTagBytes(CGrade::kClassName), 8), QByteArray::fromHex("0100000003000000"));
        } else if (file.endsWith(QLatin1String(".sp4"))) {
            CRecordList<CMissed> missed;
            QVERIFY2(loadList(bytes, missed, &consumed, &error), qPrintable(error));
            QCOMPARE(missed.size(), 1);
            QCOMPARE(missed.at(0).GetListName(), kListTitle);
            QCOMPARE(missed.at(0).GetDateText(), m_strDateText);
            QCOMPARE(missed.at(0).GetWord(), kMissedWord);
            QCOMPARE(missed.at(0).GetMisspelling(), kMisspelling);
            // The error label is worked out again when shown, never stored.
            QCOMPARE(missed.at(0).GetErrors(), QString());
            QVERIFY(!bytes.contains(QByteArrayLiteral("i\0e\0/\0e\0i\0")));
            expected = listBytes<CMissed>(missed, [](const CMissed& m) {
                return textBytes(m.GetListName()) + textBytes(m.GetDateText()) + textBytes(m.GetWord())
                    + textBytes(m.GetMisspelling());
            });
        } else {
            CRecordList<CVocabulary> vocabulary;
            QVERIFY2(loadList(bytes, vocabulary, &consumed, &error), qPrintable(error));
            QCOMPARE(vocabulary.size(), 1);
            QCOMPARE(vocabulary.at(0).GetListName(), kListTitle);
            QCOMPARE(vocabulary.at(0).GetDateText(), m_strDateText);
            QCOMPARE(vocabulary.at(0).GetWord(), kSkippedWord);
            QCOMPARE(vocabulary.at(0).GetExtra(), QString());
            expected = listBytes<CVocabulary>(vocabulary, [](const CVocabulary& v) {
                return textBytes(v.GetListName()) + textBytes(v.GetDateText()) + textBytes(v.GetWord())
                    + textBytes(v.GetExtra());
            });
            // Schema 1 in the class description.
            QCOMPARE(bytes.mid(2, 4), QByteArray::fromHex("ffff0100"));
        }
        QCOMPARE(qint64(bytes.size()), expected);
        QCOMPARE(consumed, qint64(bytes.size()));
    }

    // The second start logs the user in automatically: no dialog at all.
    void secondStartLogsInAutomatically()
    {
        ORTHEX_STORY_GOES_ON();
        MakeProgram();
        QVERIFY(m_app->InitInstance());
        QCOMPARE(Seen(), QString());
        QVERIFY(Frame() && Frame()->isVisible());
        QCOMPARE(Doc().CurrentUser(), kParent);
        QCOMPARE(Frame()->UserPane()->text(), kParent);
        QVERIFY(!Doc().IsListOpen());
        QCOMPARE(StartPage()->InformationText(), QStringLiteral("Welcome Mum.\r\nTest data will be saved."));
        // The lists of the first day are offered again in the File menu, newest first.
        QCOMPARE(Frame()->RecentFiles(), m_listsMade);
    }

    // ... and shows the same reports, read from the files.
    void secondStartShowsTheSameReports_data() { ReportRows_data(); }
    void secondStartShowsTheSameReports()
    {
        ORTHEX_STORY_GOES_ON();
        CheckReportRows();
    }

    // "Log In as a Different User", cancelled, leaves nobody logged in; "Auto" stays.
    void logInAsADifferentUserCancelled()
    {
        ORTHEX_STORY_GOES_ON();
        QVERIFY(ShowPage(PageCommand::Start));
        QStringList offered;
        m_robot->Expect<CLogInDlg>([&offered](CLogInDlg* dialog) {
            offered = dialog->NameBox()->Items();
            QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
        });
        QTest::mouseClick(StartPage()->LogInButton(), Qt::LeftButton);
        QVERIFY(waitFor([this] { return m_robot->Pending() == 0 && QApplication::activeModalWidget() == nullptr; }));
        QCOMPARE(Seen(), QStringLiteral("dialog: Log In To Orthex"));
        QCOMPARE(offered, QStringList{kParent});
        QCOMPARE(Doc().CurrentUser(), QString());
        QCOMPARE(Frame()->UserPane()->text(), QStringLiteral("No User Logged In"));
        QCOMPARE(StartPage()->InformationText(),
                 QStringLiteral("Welcome, no user logged in.\r\nTest data will not be saved."));
        const CResultLists& results = Doc().Results();
        QVERIFY(results.Grades().isEmpty() && results.Missed().isEmpty() && results.Vocabulary().isEmpty());
        QVERIFY(!Frame()->PageAction(PageCommand::Reports)->isEnabled());
        QCOMPARE(CAppSettings().AutoLogInName(), kParent);
    }

    // The second day changed nothing in the user folder.
    void userFolderUnchangedBySecondStart()
    {
        ORTHEX_STORY_GOES_ON();
        EndProgram();
        for (const QString& name : UserFolderFiles())
            QVERIFY2(TestFiles::Read(UserFile(name)) == m_userFolderAfterFirstDay.value(name), qPrintable(name));
    }
};

int main(int argc, char** argv)
{
    // The temporary folders come before the application objects the test makes, so that the
    // program never sees the real home folder.
    CTestEnvironment environment;
    FirstDayTest test(argv[0]);
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "firstday_test.moc"
