#include "testtaking/test.h"

#include "base/appfolders.h"
#include "base/appsettings.h"
#include "widgets/dialogunits.h"
#include "widgets/enterpressesbutton.h"
#include "widgets/linelistbox.h"
#include "widgets/messageboxsink.h"
#include "widgets/pagecontrols.h"
#include "document/orthexdoc.h"
#include "sound/soundplayer.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
    return AskYesNo(parent, QStringLiteral("Stop this test now?\nYou cannot go on with it afterwards."));
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

    QVBoxLayout* formLayout = ScrollingForm(this, QStringLiteral("test"), QStringLiteral("Test Page"));
    QWidget* form = formLayout->parentWidget();
    formLayout->setContentsMargins(du.X(6), du.Y(2), du.X(6), du.Y(2));
    formLayout->setSpacing(du.Y(2));

    // Start, the two options and Stop.
    auto* startGroup = new QGroupBox(form);
    m_pStart = FormButton(QStringLiteral("Start"), QStringLiteral("Starts a test with the open list."), form);
    m_pRandomize = Captioned<QCheckBox>(QStringLiteral("Randomize list"),
                                        QStringLiteral("Asks the words in a shuffled order (the next test only)."), form);
    m_pRepeat = Captioned<QCheckBox>(QStringLiteral("Repeat Until Right/Correct"),
                                     QStringLiteral("Asks a wrongly spelled word again until it is right (the next test only)."),
                                     form);
    m_pStop = FormButton(QStringLiteral("Stop"), QStringLiteral("Stops the test; the grade so far is kept."), form);
    for (QPushButton* button : {m_pStart, m_pStop})
        button->setMinimumSize(du.Size(46, 15));
    auto* startRow = new QHBoxLayout(startGroup);
    startRow->addWidget(m_pStart);
    startRow->addWidget(m_pRandomize);
    startRow->addWidget(m_pRepeat);
    startRow->addStretch(1);
    startRow->addWidget(m_pStop);
    formLayout->addWidget(startGroup);

    // The test area.
    auto* testGroup = new QGroupBox(form);
    auto* testLayout = new QVBoxLayout(testGroup);
    testLayout->setSpacing(du.Y(3));
    formLayout->addWidget(testGroup, 1);

    m_pWordNumber = readOnlyField(QStringLiteral("Word #"), form);
    m_pCorrect = readOnlyField(QStringLiteral("# Correct"), form);
    m_pWordCount = readOnlyField(QStringLiteral("# Words"), form);
    m_pScore = readOnlyField(QStringLiteral("Score"), form);
    auto* counters = new QHBoxLayout;
    for (QLineEdit* field : {m_pWordNumber, m_pCorrect, m_pWordCount}) {
        field->setMinimumWidth(du.X(18));
        field->setMaximumWidth(du.X(34));
    }
    m_pScore->setMinimumWidth(du.X(56));
    counters->addWidget(formLabel(QStringLiteral("Word #"), m_pWordNumber, form));
    counters->addWidget(m_pWordNumber);
    counters->addSpacing(du.X(4));
    counters->addWidget(formLabel(QStringLiteral("# Correct"), m_pCorrect, form));
    counters->addWidget(m_pCorrect);
    counters->addSpacing(du.X(4));
    counters->addWidget(formLabel(QStringLiteral("# Words"), m_pWordCount, form));
    counters->addWidget(m_pWordCount);
    counters->addStretch(1);
    counters->addWidget(formLabel(QStringLiteral("Score"), m_pScore, form));
    counters->addWidget(m_pScore);
    testLayout->addLayout(counters);

    m_pListen = FormButton(QStringLiteral("Listen to Word"), QStringLiteral("Plays the word being asked."), form);
    m_pAnswer = new QLineEdit(form);
    m_pAnswer->setAccessibleName(QStringLiteral("Spell it"));
    m_pAnswer->setWhatsThis(QStringLiteral("Type the word here."));
    m_pAnswer->setMinimumWidth(du.X(108));
    m_pCheck = FormButton(QStringLiteral("Check"), QStringLiteral("Checks the spelling typed in Spell it."), form);
    m_pSkip = FormButton(QStringLiteral("Skip Word"),
                         QStringLiteral("Gives up on this word; it goes to the vocabulary list."), form);
    m_pNext = FormButton(QStringLiteral("Next"), QStringLiteral("Goes on to the next word."), form);
    m_pListen->setMinimumSize(du.Size(74, 15));
    for (QPushButton* button : {m_pCheck, m_pSkip, m_pNext})
        button->setMinimumSize(du.Size(44, 15));

    // The steps on the left, numbered; the answer box takes the width the window gives.
    auto* steps = new QGridLayout;
    steps->addWidget(formLabel(QStringLiteral("1)"), m_pListen, form), 0, 0);
    steps->addWidget(m_pListen, 0, 1, 1, 3, Qt::AlignLeft);
    steps->addWidget(formLabel(QStringLiteral("2)"), m_pAnswer, form), 1, 0);
    steps->addWidget(formLabel(QStringLiteral("Spell it"), m_pAnswer, form), 1, 1, 1, 3);
    steps->addWidget(m_pAnswer, 2, 1, 1, 4);
    steps->addWidget(formLabel(QStringLiteral("3)"), m_pCheck, form), 3, 0);
    steps->addWidget(m_pCheck, 3, 1);
    steps->addWidget(formLabel(QStringLiteral("or"), m_pSkip, form), 3, 2);
    steps->addWidget(m_pSkip, 3, 3, Qt::AlignLeft);
    steps->addWidget(formLabel(QStringLiteral("4)"), m_pNext, form), 4, 0);
    steps->addWidget(m_pNext, 4, 1);
    steps->setColumnStretch(4, 1);
    steps->setVerticalSpacing(du.Y(2));
    steps->setRowStretch(5, 1);

    m_pMessage = new QPlainTextEdit(form);
    m_pMessage->setReadOnly(true);
    m_pMessage->setTabChangesFocus(true);
    m_pMessage->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_pMessage->setAccessibleName(QStringLiteral("Instructions"));
    m_pMessage->setWhatsThis(QStringLiteral("What to do next, and whether the last answer was right."));
    m_pMessage->setMinimumSize(du.Size(140, 36));

    m_pResults = new CLineListBox(form);
    m_pResults->setObjectName(QStringLiteral("resultsList"));
    m_pResults->setAccessibleName(QStringLiteral("Results"));
    m_pResults->setWhatsThis(
        QStringLiteral("Every answered word: green when right, red when wrong, blue when skipped."));
    m_pResults->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pResults->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pResults->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pResults->setMinimumSize(du.Size(140, 28));

    auto* feedback = new QVBoxLayout;
    feedback->addWidget(m_pMessage, 3);
    feedback->addWidget(m_pResults, 2);
    auto* work = new QHBoxLayout;
    work->addLayout(steps, 1);
    work->addSpacing(du.X(8));
    work->addLayout(feedback, 1);
    testLayout->addLayout(work, 1);

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

void CTest::showEvent(QShowEvent* event)
{
    // Read at each showing, so that a change on the options page holds from the next visit.
    QFont text = CDialogUnits::FormFont();
    if (m_settings.LargerText() != 0)
        text.setPointSizeF(text.pointSizeF() * kLargerTextScale);
    if (font() != text)
        setFont(text);
    CPageView::showEvent(event);
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
