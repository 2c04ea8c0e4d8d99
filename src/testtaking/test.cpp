#include "testtaking/test.h"

#include "base/appfolders.h"
#include "base/appsettings.h"
#include "widgets/dialogunits.h"
#include "widgets/enterpressesbutton.h"
#include "widgets/linelistbox.h"
#include "widgets/pagecontrols.h"
#include "document/orthexdoc.h"
#include "sound/soundplayer.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <concepts>

using namespace PageControls;

namespace {
QLineEdit* readOnlyField(const QString& name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    field->setAccessibleName(name);
    field->setAlignment(Qt::AlignRight);
    return field;
}

QLabel* formLabel(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

// Writes the logged-in user's results through the document's own result files, where the
// document offers that (COrthexDoc::SaveResults); without it the results are written when the
// user changes or the program ends, as before.
template <class Document>
constexpr bool documentWritesResults()
{
    return requires(Document& document) {
        { document.SaveResults() } -> std::convertible_to<bool>;
    };
}

template <class Document>
bool writeResultsThrough(Document& document)
{
    if constexpr (documentWritesResults<Document>())
        return document.SaveResults();
    else
        return false;
}

bool askStop(QWidget* parent)
{
    return QMessageBox::question(parent, QStringLiteral("Orthex"),
                                 QStringLiteral("Stop this test now?\nYou cannot go on with it afterwards."),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

// The program's texts break lines with "\r\n"; a text field wants "\n".
QString shownText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}
}  // namespace

CTest::CTest(COrthexDoc& document, IPageCommandTarget& commands, CAppSettings& settings, QWidget* parent)
    : CPageView(document, commands, parent)
    , m_settings(settings)
    , m_askStop(askStop)
    , m_player(std::make_unique<CSoundPlayer>())
    , m_session(std::make_unique<CTestSession>(document, *m_player, settings))
{
    setObjectName(QStringLiteral("testPage"));
    setAccessibleName(QStringLiteral("Test Page"));
    setFont(CDialogUnits::FormFont());
    CreateControls();
    m_session->SetView(this, this);
    m_session->SetResultsWriter([](COrthexDoc& doc) { return writeResultsThrough(doc); });
    setMinimumSize(FormSize());
}

CTest::~CTest()
{
    // The engine and the player go before the widgets they show through.
    m_session->SetView(nullptr);
    m_session.reset();
    m_player.reset();
}

void CTest::CreateControls()
{
    const CDialogUnits du(font());

    du.Place(Title(QStringLiteral("Test Page"), this), 7, 4, 306, 11);
    du.Place(SunkenRule(this), 8, 16, 306, 1);

    // Start, the two options and Stop.
    auto* startGroup = new QGroupBox(this);
    du.Place(startGroup, 8, 20, 306, 26);
    m_pStart = FormButton(QStringLiteral("Start"), QStringLiteral("Starts a test with the open list."), this);
    du.Place(m_pStart, 16, 26, 46, 15);
    m_pRandomize = Captioned<QCheckBox>(QStringLiteral("Randomize list"),
                                        QStringLiteral("Asks the words in a shuffled order (the next test only)."), this);
    du.Place(m_pRandomize, 70, 28, 78, 11);
    m_pRepeat = Captioned<QCheckBox>(QStringLiteral("Repeat Until Right/Correct"),
                                     QStringLiteral("Asks a wrongly spelled word again until it is right (the next test only)."),
                                     this);
    du.Place(m_pRepeat, 152, 28, 100, 11);
    m_pStop = FormButton(QStringLiteral("Stop"), QStringLiteral("Stops the test; the grade so far is kept."), this);
    du.Place(m_pStop, 260, 26, 46, 15);

    // The test area.
    auto* testGroup = new QGroupBox(this);
    du.Place(testGroup, 8, 50, 306, 146);

    m_pWordNumber = readOnlyField(QStringLiteral("Word #"), this);
    m_pCorrect = readOnlyField(QStringLiteral("# Correct"), this);
    m_pWordCount = readOnlyField(QStringLiteral("# Words"), this);
    m_pScore = readOnlyField(QStringLiteral("Score"), this);
    du.Place(formLabel(QStringLiteral("Word #"), m_pWordNumber, this), 16, 60, 30, 10);
    du.Place(m_pWordNumber, 46, 58, 22, 13);
    du.Place(formLabel(QStringLiteral("# Correct"), m_pCorrect, this), 78, 60, 38, 10);
    du.Place(m_pCorrect, 116, 58, 22, 13);
    du.Place(formLabel(QStringLiteral("# Words"), m_pWordCount, this), 148, 60, 34, 10);
    du.Place(m_pWordCount, 182, 58, 22, 13);
    du.Place(formLabel(QStringLiteral("Score"), m_pScore, this), 210, 60, 26, 10);
    du.Place(m_pScore, 236, 58, 70, 13);

    m_pListen = FormButton(QStringLiteral("Listen to Word"), QStringLiteral("Plays the word being asked."), this);
    m_pAnswer = new QLineEdit(this);
    m_pAnswer->setAccessibleName(QStringLiteral("Spell it"));
    m_pAnswer->setWhatsThis(QStringLiteral("Type the word here."));
    m_pCheck = FormButton(QStringLiteral("Check"), QStringLiteral("Checks the spelling typed in Spell it."), this);
    m_pSkip = FormButton(QStringLiteral("Skip Word"),
                         QStringLiteral("Gives up on this word; it goes to the vocabulary list."), this);
    m_pNext = FormButton(QStringLiteral("Next"), QStringLiteral("Goes on to the next word."), this);

    du.Place(formLabel(QStringLiteral("1)"), m_pListen, this), 16, 82, 10, 10);
    du.Place(m_pListen, 28, 79, 74, 15);
    du.Place(formLabel(QStringLiteral("2)"), m_pAnswer, this), 16, 103, 10, 10);
    du.Place(formLabel(QStringLiteral("Spell it"), m_pAnswer, this), 28, 103, 32, 10);
    du.Place(m_pAnswer, 28, 114, 108, 13);
    du.Place(formLabel(QStringLiteral("3)"), m_pCheck, this), 16, 136, 10, 10);
    du.Place(m_pCheck, 28, 133, 44, 15);
    du.Place(formLabel(QStringLiteral("or"), m_pSkip, this), 77, 136, 10, 10);
    du.Place(m_pSkip, 90, 133, 46, 15);
    du.Place(formLabel(QStringLiteral("4)"), m_pNext, this), 16, 157, 10, 10);
    du.Place(m_pNext, 28, 154, 44, 15);

    m_pMessage = new QPlainTextEdit(this);
    m_pMessage->setReadOnly(true);
    m_pMessage->setTabChangesFocus(true);
    m_pMessage->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_pMessage->setAccessibleName(QStringLiteral("Instructions"));
    m_pMessage->setWhatsThis(QStringLiteral("What to do next, and whether the last answer was right."));
    du.Place(m_pMessage, 146, 78, 160, 48);

    m_pResults = new CLineListBox(this);
    m_pResults->setObjectName(QStringLiteral("resultsList"));
    m_pResults->setAccessibleName(QStringLiteral("Results"));
    m_pResults->setWhatsThis(
        QStringLiteral("Every answered word: green when right, red when wrong, blue when skipped."));
    m_pResults->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pResults->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pResults->setSelectionMode(QAbstractItemView::SingleSelection);
    du.Place(m_pResults, 146, 130, 160, 60);

    // The form's default button, never shown: Enter on the page presses it.
    m_pEnterKey = new QPushButton(QStringLiteral("Enter Key"), this);
    m_pEnterKey->setAccessibleName(QStringLiteral("Enter Key"));
    m_pEnterKey->setDefault(true);
    m_pEnterKey->setFocusPolicy(Qt::NoFocus);
    m_pEnterKey->hide();

    // Enter on Listen and Next stays the page's (it plays the word, or asks the next one and plays
    // it with auto-play); on the other buttons Enter presses them, as everywhere.
    CEnterPressesButton::LeaveEnterToPage(m_pListen);
    CEnterPressesButton::LeaveEnterToPage(m_pNext);

    // Keyboard order: what a test goes through first, then what only shows results. Each of them
    // takes the focus by Tab and by a click alike. Enter that no button takes reaches the hidden
    // "Enter Key" button.
    const QList<QWidget*> order = {m_pStart, m_pRandomize, m_pRepeat, m_pStop, m_pListen, m_pAnswer, m_pCheck,
                                   m_pSkip, m_pNext, m_pMessage, m_pResults, m_pWordNumber, m_pCorrect,
                                   m_pWordCount, m_pScore};
    for (QWidget* control : order)
        control->setFocusPolicy(Qt::StrongFocus);
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    connect(m_pStart, &QPushButton::clicked, this, &CTest::OnStart);
    connect(m_pStop, &QPushButton::clicked, this, &CTest::OnStop);
    connect(m_pListen, &QPushButton::clicked, this, [this] { m_session->ListenToWord(); });
    connect(m_pCheck, &QPushButton::clicked, this, [this] { m_session->CheckAnswer(); });
    connect(m_pNext, &QPushButton::clicked, this, [this] { AskingWord([this] { m_session->NextWord(); }); });
    connect(m_pSkip, &QPushButton::clicked, this, [this] { m_session->SkipWord(); });
    connect(m_pEnterKey, &QPushButton::clicked, this, [this] { AskingWord([this] { m_session->OnEnterKey(); }); });
    connect(m_pRandomize, &QCheckBox::clicked, this, [this] { TakeControls(*m_session); });
}

void CTest::OnStart()
{
    // Read once for the whole test; the options page cannot be reached while it runs.
    m_bAutoPlay = m_settings.AutoPlay() != 0;
    AskingWord([this] { m_session->StartTest(); });
}

void CTest::SetStopQuestion(StopQuestion question)
{
    m_askStop = question ? std::move(question) : StopQuestion(askStop);
}

void CTest::OnStop()
{
    // A slip of the hand must not end a test the pupil has worked on.
    if (m_session->HasAnswers() && !m_askStop(this))
        return;
    m_session->StopTest();
}

template <typename Operation>
void CTest::AskingWord(Operation operation)
{
    // A word is asked when a test started or went on to another word: the test runs afterwards
    // and its word number changed. At the end of a test, or when it is stopped, nothing runs.
    const bool wasRunning = GetDocument().IsTestRunning();
    const int wordBefore = m_session->WordNumber();
    operation();
    const bool asked = GetDocument().IsTestRunning() && (!wasRunning || m_session->WordNumber() != wordBefore);
    if (asked && m_bAutoPlay && m_session->IsEnabled(ETestControl::Listen))
        m_session->ListenToWord();
}

QSize CTest::FormSize() const
{
    return CDialogUnits(font()).Size(320, 200);
}

void CTest::OnInitialUpdate()
{
    CPageView::OnInitialUpdate();
    m_session->SetControlEnabled(ETestControl::Stop, false);
    m_player->OpenOutputDevice();
    m_session->SetRecordingFolder(CAppFolders::GetRecordingFolder());
}

void CTest::OnUpdate()
{
    if (GetDocument().CurrentUser() != m_strUser) {
        m_strUser = GetDocument().CurrentUser();
        m_session->ClearLastTest();
    }
    m_session->ResetTest();
}

void CTest::OnFrameClosing()
{
    if (GetDocument().IsTestRunning())
        m_session->StopTest();
}

bool CTest::WritesResultsThroughDocument()
{
    return documentWritesResults<COrthexDoc>();
}

void CTest::SetResultsWriter(CTestSession::ResultsWriter writer)
{
    m_session->SetResultsWriter(std::move(writer));
}

QWidget* CTest::Control(ETestControl control) const
{
    switch (control) {
    case ETestControl::Check: return m_pCheck;
    case ETestControl::Listen: return m_pListen;
    case ETestControl::Next: return m_pNext;
    case ETestControl::Skip: return m_pSkip;
    case ETestControl::Start: return m_pStart;
    case ETestControl::Stop: return m_pStop;
    case ETestControl::Answer: return m_pAnswer;
    case ETestControl::Randomize: return m_pRandomize;
    case ETestControl::Repeat: return m_pRepeat;
    case ETestControl::None: break;
    }
    return nullptr;
}

QColor CTest::LineColour(STestColour colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

void CTest::TakeControls(CTestSession& session)
{
    session.SetAnswer(m_pAnswer->text());
    session.SetRandomize(m_pRandomize->isChecked() ? 1 : 0);
    session.SetRepeat(m_pRepeat->isChecked() ? 1 : 0);
}

void CTest::ShowState(const CTestSession& session)
{
    m_pWordNumber->setText(QString::number(session.WordNumber()));
    m_pCorrect->setText(QString::number(session.CorrectCount()));
    m_pWordCount->setText(QString::number(session.WordCount()));
    m_pScore->setText(session.ScoreText());
    if (m_pAnswer->text() != session.Answer())
        m_pAnswer->setText(session.Answer());
    m_pMessage->setPlainText(shownText(session.Message()));
    m_pMessage->setAccessibleDescription(session.MessageDescription());
    m_pRandomize->setChecked(session.Randomize() != 0);
    m_pRepeat->setChecked(session.Repeat() != 0);
}

void CTest::EnableControl(ETestControl control, bool enabled)
{
    if (QWidget* widget = Control(control))
        widget->setEnabled(enabled);
}

void CTest::FocusControl(ETestControl control)
{
    QWidget* widget = Control(control);
    if (!widget || !widget->isEnabled())
        return;
    widget->setFocus(Qt::OtherFocusReason);
    if (widget == m_pAnswer)
        m_pAnswer->selectAll();
}

void CTest::ShowResults(const CTestSession& session)
{
    const QList<STestLine>& lines = session.Results();
    // Lines are only ever added at the end or all cleared; anything else is rebuilt.
    bool same = m_pResults->count() <= lines.size();
    for (int row = 0; same && row < m_pResults->count(); ++row)
        same = m_pResults->item(row)->text() == lines.at(row).text;
    if (!same)
        m_pResults->clear();
    for (qsizetype row = m_pResults->count(); row < lines.size(); ++row) {
        const int added = m_pResults->AddLine(lines.at(row).text, LineColour(lines.at(row).colour));
        // Not by colour alone: a screen reader and a tooltip say what the colour means.
        const STestColour colour = lines.at(row).colour;
        const QString meaning = colour == CTestSession::kRightColour   ? QStringLiteral("right")
                                : colour == CTestSession::kWrongColour ? QStringLiteral("wrong")
                                                                       : QStringLiteral("skipped");
        QListWidgetItem* item = m_pResults->item(added);
        item->setData(Qt::AccessibleDescriptionRole, meaning);
        item->setToolTip(meaning);
    }
    const int selected = session.SelectedLine();
    if (selected >= 0 && selected < m_pResults->count()) {
        m_pResults->setCurrentRow(selected);
        m_pResults->scrollToItem(m_pResults->item(selected));
    } else {
        m_pResults->clearSelection();
    }
}

ETestControl CTest::FocusedControl() const
{
    const QWidget* focused = window()->focusWidget();
    for (ETestControl control : {ETestControl::Check, ETestControl::Listen, ETestControl::Next, ETestControl::Skip,
                                 ETestControl::Start, ETestControl::Stop, ETestControl::Answer,
                                 ETestControl::Randomize, ETestControl::Repeat})
        if (focused && Control(control) == focused)
            return control;
    return ETestControl::None;
}

void CTest::keyPressEvent(QKeyEvent* event)
{
    // The controls leave Enter to the form, whose default button acts on the focused control.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !(event->modifiers() & ~(Qt::KeypadModifier))) {
        m_pEnterKey->click();
        event->accept();
        return;
    }
    CPageView::keyPressEvent(event);
}
