#include "testtaking/testsession.h"

#include "base/appfolders.h"
#include "base/appsettings.h"
#include "base/fixedformat.h"
#include "base/messages.h"
#include "storage/listmessages.h"
#include "document/orthexdoc.h"
#include "sound/playbackfile.h"
#include "sound/soundplayer.h"
#include "testtaking/spellingdiff.h"
#include "testtaking/testdatetext.h"
#include "testtaking/testorder.h"

#include <QDir>

#include <memory>

namespace {
const QString kReady = QStringLiteral(
    "Ready.\r\nClick LISTEN or press Enter to hear word.\r\nType your answer in Spell It.\r\nFinally, click NEXT or press "
    "Enter to continue.");
const QString kRight = QStringLiteral("You got it right!\r\nClick NEXT or press Enter to continue.");
const QString kRepeating = QStringLiteral("Sorry wrong answer.\r\nRepeating word, try again.");
const QString kSkipped = QStringLiteral("Word skipped and added to vocabulary list.");
const QString kStopped = QStringLiteral("Try again.  Click Start button.");
const QString kClickStart = QStringLiteral("Click Start button to take a test.");
const QString kNoList = QStringLiteral("No spelling list ...\r\nPlease open or create a list.");
const QString kListError = QStringLiteral("Error with spelling list.\nCheck list and try again.");
const QString kPlayError = QStringLiteral("Play Error");
const QString kPlayed = QStringLiteral(
    "Word played.\r\nType it in Spell It, then press Enter or click CHECK.\r\nTo hear it again, press Enter in the "
    "empty Spell It box or click LISTEN.");
const QString kNotPlayed = QStringLiteral(
    "The word could not be played.\r\nType it in Spell It if you know it, or click SKIP WORD.");
const QString kNoRecording = QStringLiteral(
    "This word has no recording, so there is nothing to play.\r\nType it in Spell It if you know it, or click SKIP "
    "WORD.");
const QString kTypeFirst = QStringLiteral(
    "Spell It is empty: type the word first, then press Enter or click CHECK.");

// The wrong answer against the right one, the differing letters in brackets.
QString wrongText(const QString& answer, const QString& word)
{
    const CSpellingDiff diff(answer, word);
    return QStringLiteral("Sorry wrong answer.\r\nThe correct spelling is %1.\r\nYou wrote:  %2\r\nRight:  %3\r\n"
                          "Click NEXT or press Enter to continue.")
        .arg(word, diff.MarkedAnswer(), diff.MarkedWord());
}

std::time_t systemTime()
{
    return std::time(nullptr);
}
}  // namespace

CTestSession::CTestSession(COrthexDoc& document, CSoundPlayer& player, CAppSettings& settings)
    : m_doc(document)
    , m_player(player)
    , m_settings(settings)
    , m_clock(systemTime)
{
}

void CTestSession::SetView(ITestSessionView* view, QObject* sender)
{
    m_pView = view;
    m_pSender = sender;
}

void CTestSession::SetClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : Clock(systemTime);
}

QString CTestSession::RecordingPath() const
{
    return m_strRecordingFolder + QStringLiteral("Temp.wav");
}

QString CTestSession::ScoreLine(int correct, int asked)
{
    return QStringLiteral("%1 of %2 right").arg(correct).arg(asked);
}

QString CTestSession::MessageDescription() const
{
    return m_strMessage == m_strDescribedMessage ? m_strMessageDescription : QString();
}

QString CTestSession::SummaryText() const
{
    int wrong = 0;
    int skipped = 0;
    for (const STestLine& line : m_results) {
        wrong += line.colour == kWrongColour ? 1 : 0;
        skipped += line.colour == kSkippedColour ? 1 : 0;
    }
    const QString practise =
        m_practise.isEmpty() ? QStringLiteral("none, well done!") : m_practise.join(QStringLiteral(", ")) + QLatin1Char('.');
    return QStringLiteral("End of test.\r\nRight: %1, wrong: %2, skipped: %3.\r\nScore: %4 (%5).\r\n"
                          "Words to practise: %6\r\nClick Start to redo test.")
        .arg(m_nCorrectCount)
        .arg(wrong)
        .arg(skipped)
        .arg(ScoreLine(m_nCorrectCount, int(m_results.size())), FormatScore(m_nCorrectCount, m_nWordCount), practise);
}

void CTestSession::Practise(const QString& word)
{
    if (!m_practise.contains(word))
        m_practise.append(word);
}

QString CTestSession::FormatScore(int correct, int count)
{
    const float score = float(double(correct) / double(count) * 100.0);
    return FixedFormat::Printf("%3.2f %%", double(score));
}

// --- Operations ---

void CTestSession::ResetTest()
{
    m_nWordCount = qMax(0, m_doc.GetWordCount());
    m_strCurrentWord = QStringLiteral("Hi");
    m_bHasRecording = false;
    Enable({ETestControl::Check, ETestControl::Listen, ETestControl::Next, ETestControl::Skip, ETestControl::Answer},
           false);
    Enable({ETestControl::Randomize, ETestControl::Repeat}, true);
    m_nWordNumber = 0;
    m_nCorrectCount = 0;
    m_strScore.clear();
    m_doc.SetTestRunning(false);
    m_nRandomize = m_settings.RandomizeList() ? 1 : 0;
    m_nRepeat = m_settings.Repeat() ? 1 : 0;
    m_strMessage = m_nWordCount >= 1 ? kClickStart : kNoList;
    m_strDateText.clear();
    m_strListName.clear();
    // The results list keeps the lines of the last test until the next start.
    ShowState();
}

void CTestSession::StartTest()
{
    TakeControls();
    m_doc.RereadList();

    m_nWordCount = qMax(0, m_doc.GetWordCount());
    if (m_nWordCount <= 0) {
        Messages::Show(kListError, MessageIcon::Exclamation);
        return;
    }

    m_order = TestOrder::Build(m_nWordCount, m_nRandomize == 1, quint32(m_clock()));

    Enable({ETestControl::Check, ETestControl::Listen, ETestControl::Skip, ETestControl::Answer, ETestControl::Stop},
           true);
    Enable({ETestControl::Next, ETestControl::Start, ETestControl::Randomize, ETestControl::Repeat}, false);

    m_strDateText = TestDateText::Format(m_clock());

    m_doc.Results().SetChanged(true);
    m_strListName = m_doc.GetTitle();

    m_strMessage = kReady;
    m_bAnswered = false;
    m_practise.clear();
    m_nWordNumber = 1;
    m_nCorrectCount = 0;
    m_strAnswer.clear();
    m_strScore.clear();
    ShowState();

    m_doc.SetTestRunning(true);

    m_strCurrentWord = ReadWord(m_order.at(0));

    SetFocus(ETestControl::Listen);
    ClearResults();
}

void CTestSession::ListenToWord()
{
    // What the pupil typed so far stays in the field the state is shown in.
    TakeControls();
    if (!m_bHasRecording) {
        // The recording file still holds an earlier word: playing it would mislead.
        m_strMessage = kNoRecording;
    } else {
        m_player.Load(RecordingPath());
        const bool played = !m_player.Play().Failed();
        if (!played)
            Messages::Show(kPlayError, MessageIcon::None);
        m_strMessage = played ? kPlayed : kNotPlayed;
    }
    ShowState();
    SetFocus(ETestControl::Answer);
}

void CTestSession::CheckAnswer()
{
    TakeControls();
    // Nothing typed is no answer: it is neither judged nor stored.
    if (m_strAnswer.isEmpty()) {
        m_strMessage = kTypeFirst;
        ShowState();
        SetFocus(ETestControl::Answer);
        return;
    }
    m_bAnswered = true;
    STestColour colour = kRightColour;
    // Exact comparison of what is seen: case and spaces count, but "é" typed as one character
    // or as e and an accent is one letter (both compared in composed form, NFC).
    if (m_strAnswer.normalized(QString::NormalizationForm_C) == m_strCurrentWord.normalized(QString::NormalizationForm_C)) {
        m_strMessage = kRight;
        ++m_nCorrectCount;
    } else if (m_nRepeat == 0) {
        m_strMessage = wrongText(m_strAnswer, m_strCurrentWord);
        m_strMessageDescription = CSpellingDiff(m_strAnswer, m_strCurrentWord).Description();
        m_strDescribedMessage = m_strMessage;
        Practise(m_strCurrentWord);
        if (LoggedIn()) {
            auto missed = std::make_unique<CMissed>();
            missed->SetListName(m_strListName);
            missed->SetDateText(m_strDateText);
            missed->SetWord(m_strCurrentWord);
            missed->SetMisspelling(m_strAnswer);
            m_doc.Results().Missed().AddHead(std::move(missed));
        }
        colour = kWrongColour;
    } else {
        // The same word again: nothing is scored, listed or recorded.
        m_strMessage = kRepeating;
        Practise(m_strCurrentWord);
        ShowState();
        SetFocus(ETestControl::Answer);
        return;
    }

    AddLine(m_strAnswer, colour);
    m_strScore = ScoreLine(m_nCorrectCount, int(m_results.size()));

    Enable({ETestControl::Check, ETestControl::Listen, ETestControl::Skip, ETestControl::Answer,
            ETestControl::Randomize, ETestControl::Repeat},
           false);
    Enable(ETestControl::Next, true);
    ShowState();
    SetFocus(ETestControl::Next);
}

void CTestSession::SkipWord()
{
    m_bAnswered = true;
    Enable({ETestControl::Check, ETestControl::Listen, ETestControl::Skip, ETestControl::Answer,
            ETestControl::Randomize, ETestControl::Repeat},
           false);
    Enable(ETestControl::Next, true);

    m_strMessage = kSkipped;
    Practise(m_strCurrentWord);

    if (LoggedIn()) {
        auto vocabulary = std::make_unique<CVocabulary>();
        vocabulary->SetListName(m_strListName);
        vocabulary->SetDateText(m_strDateText);
        vocabulary->SetWord(m_strCurrentWord);
        m_doc.Results().Vocabulary().AddHead(std::move(vocabulary));
    }

    AddLine(m_strCurrentWord, kSkippedColour);
    m_strScore = ScoreLine(m_nCorrectCount, int(m_results.size()));
    ShowState();
    SetFocus(ETestControl::Next);
}

void CTestSession::NextWord()
{
    Enable({ETestControl::Check, ETestControl::Listen, ETestControl::Skip, ETestControl::Answer}, true);
    Enable({ETestControl::Next, ETestControl::Randomize, ETestControl::Repeat}, false);

    // The recording file is about to be rewritten: let go of the sound loaded from it.
    StopSound();

    bool ended = false;
    if (m_nWordNumber < m_nWordCount) {
        m_strMessage = kReady;
        ++m_nWordNumber;
        m_strCurrentWord = ReadWord(m_order.value(m_nWordNumber - 1));
    } else {
        ended = true;
        m_strMessage = SummaryText();
        if (LoggedIn())
            AddGrade(m_nRepeat == 1 ? m_strListName + QStringLiteral("--Repeat") : m_strListName);
        Enable({ETestControl::Check, ETestControl::Listen, ETestControl::Next, ETestControl::Skip,
                ETestControl::Answer, ETestControl::Stop},
               false);
        Enable({ETestControl::Randomize, ETestControl::Repeat, ETestControl::Start}, true);
        m_doc.SetTestRunning(false);
        m_doc.UpdateAllViews(m_pSender);
        WriteResults();
    }

    m_strAnswer.clear();
    ShowState();
    // At the end Listen is disabled; Start is where the pupil goes on from.
    SetFocus(ended ? ETestControl::Start : ETestControl::Listen);
}

void CTestSession::StopTest()
{
    StopSound();

    // A test stopped before any answer says nothing about the pupil: no grade pulls the
    // progress down.
    const bool answered = HasAnswers();
    if (LoggedIn() && answered)
        AddGrade(m_strListName
                 + (m_nRepeat == 1 ? QStringLiteral("--Repeat, Stopped") : QStringLiteral("--Stopped Test")));

    m_strMessage = kStopped;
    m_nWordNumber = 0;
    m_nCorrectCount = 0;
    m_strAnswer.clear();
    m_strScore.clear();

    m_doc.SetTestRunning(false);
    m_doc.UpdateAllViews(m_pSender);
    ShowState();

    Enable({ETestControl::Check, ETestControl::Listen, ETestControl::Next, ETestControl::Skip,
            ETestControl::Answer, ETestControl::Stop},
           false);
    Enable({ETestControl::Randomize, ETestControl::Repeat, ETestControl::Start}, true);
    SetFocus(ETestControl::Start);
    if (answered)
        WriteResults();
}

void CTestSession::ClearLastTest()
{
    m_strAnswer.clear();
    ClearResults();
    ShowState();
}

bool CTestSession::HasAnswers() const
{
    return m_doc.IsTestRunning() && m_bAnswered;
}

void CTestSession::OnEnterKey()
{
    const ETestControl focused = m_pView ? m_pView->FocusedControl() : m_focus;
    switch (focused) {
    case ETestControl::Listen:
        ListenToWord();
        break;
    case ETestControl::Answer:
        // Enter in the empty box hears the word again rather than judging nothing.
        TakeControls();
        if (m_strAnswer.isEmpty())
            ListenToWord();
        else
            CheckAnswer();
        break;
    case ETestControl::Check:
        CheckAnswer();
        break;
    case ETestControl::Next:
        NextWord();
        break;
    default:
        break;
    }
}

// --- Helpers ---

void CTestSession::Enable(ETestControl control, bool enabled)
{
    m_enabled.at(size_t(control)) = enabled;
    if (m_pView)
        m_pView->EnableControl(control, enabled);
}

void CTestSession::Enable(std::initializer_list<ETestControl> controls, bool enabled)
{
    for (ETestControl control : controls)
        Enable(control, enabled);
}

void CTestSession::SetFocus(ETestControl control)
{
    m_focus = control;
    if (m_pView)
        m_pView->FocusControl(control);
}

void CTestSession::TakeControls()
{
    if (m_pView)
        m_pView->TakeControls(*this);
}

void CTestSession::ShowState()
{
    if (m_pView)
        m_pView->ShowState(*this);
}

void CTestSession::ClearResults()
{
    m_results.clear();
    m_nSelectedLine = -1;
    if (m_pView)
        m_pView->ShowResults(*this);
}

void CTestSession::AddLine(const QString& text, STestColour colour)
{
    m_results.append(STestLine{text, colour});
    // The line of the current word: the newest line, as each word adds one.
    const int line = m_nWordNumber - 1;
    m_nSelectedLine = line >= 0 && line < m_results.size() ? line : -1;
    if (m_pView)
        m_pView->ShowResults(*this);
}

QString CTestSession::ReadWord(int position)
{
    // The recording folder may not exist yet (a fresh shared documents folder): make it, so
    // that the word's recording can be written and heard.
    const QString folder = m_strRecordingFolder;
    if (!folder.isEmpty() && !QDir(folder).exists())
        CAppFolders::CreateFolderPath(folder);
    m_bHasRecording = false;
    const std::optional<SWordRow> row = m_doc.ReadWord(position);
    if (!row)
        return QString();
    const QString path = RecordingPath();
    if (QString reason; !PlaybackFile::Write(path, row->sound, &reason))
        Messages::Show(ListMessages::CannotWriteRecording(path, reason), MessageIcon::Exclamation);
    else
        m_bHasRecording = !row->sound.isEmpty();
    return row->word;
}

bool CTestSession::LoggedIn() const
{
    return !m_doc.CurrentUser().isEmpty();
}

void CTestSession::AddGrade(const QString& listName)
{
    auto grade = std::make_unique<CGrade>();
    grade->SetListName(listName);
    grade->SetDateText(m_strDateText);
    grade->SetCorrectCount(m_nCorrectCount);
    grade->SetWordCount(m_nWordCount);
    m_doc.Results().Grades().AddHead(std::move(grade));
}

void CTestSession::WriteResults()
{
    // A finished or stopped test is written at once, so a crash later in the day loses at
    // most the test in progress.
    if (m_writeResults && LoggedIn())
        m_writeResults(m_doc);
}

void CTestSession::StopSound()
{
    m_player.Unload();
}
