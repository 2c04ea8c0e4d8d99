#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <ctime>
#include <functional>

class CAppSettings;
class CSoundPlayer;
class COrthexDoc;
class CTestSession;
class QObject;

// The controls of the test page whose enabled state and focus the engine decides.
enum class ETestControl { Check, Listen, Next, Skip, Start, Stop, Answer, Randomize, Repeat, None };

// The colour of a line of the results list.
struct STestColour {
    quint8 red = 0;
    quint8 green = 0;
    quint8 blue = 0;

    bool operator==(const STestColour&) const = default;
};

// One line of the results list: the answer (or the skipped word) in its colour.
struct STestLine {
    QString text;
    STestColour colour;

    bool operator==(const STestLine&) const = default;
};

// What the engine asks of the page that shows it. Every call is optional for the engine: with
// no view, the state set through the setters is what the operations read, and the focus the
// engine gave last is the focused control.
class ITestSessionView
{
public:
    virtual ~ITestSessionView() = default;
    // Controls into the state: the answer and the two check boxes (SetAnswer, SetRandomize,
    // SetRepeat).
    virtual void TakeControls(CTestSession& session) = 0;
    // The state into the controls: counters, score, answer, message, check boxes.
    virtual void ShowState(const CTestSession& session) = 0;
    virtual void EnableControl(ETestControl control, bool enabled) = 0;
    virtual void FocusControl(ETestControl control) = 0;
    // The results list changed (cleared, a line added, another line selected).
    virtual void ShowResults(const CTestSession& session) = 0;
    // The control that has the keyboard focus now (None for any other).
    virtual ETestControl FocusedControl() const = 0;
};

// One spelling test over the document's open list: the order of the words, asking each word
// (its recording written to the recording folder's "Temp.wav"), listening, checking, skipping,
// repeating, the counters and the score, the results list, and the result records, which go
// at the head of the document's lists only when a user is logged in. The page owns it and
// drives it from its buttons; the engine opens no window of its own (its two message boxes go
// through the message seam).
class CTestSession
{
public:
    // Colours of the results lines.
    static constexpr STestColour kRightColour{0, 100, 0};
    static constexpr STestColour kWrongColour{205, 0, 0};
    static constexpr STestColour kSkippedColour{0, 0, 100};

    using Clock = std::function<std::time_t()>;
    // Writes the logged-in user's results (the document's result files); its result is ignored.
    using ResultsWriter = std::function<bool(COrthexDoc& document)>;

    CTestSession(COrthexDoc& document, CSoundPlayer& player, CAppSettings& settings);
    CTestSession(const CTestSession&) = delete;
    CTestSession& operator=(const CTestSession&) = delete;

    // The page that shows the engine (not owned; null for none) and the object it passes as
    // the sender when it updates the document's other views.
    void SetView(ITestSessionView* view, QObject* sender = nullptr);
    // The current time; the default is the system's calendar time.
    void SetClock(Clock clock);
    // Called when a test ends or is stopped, so that its records reach the files at once.
    void SetResultsWriter(ResultsWriter writer) { m_writeResults = std::move(writer); }

    // --- Operations ---
    void ResetTest();
    void StartTest();
    // Plays the word (or says why it cannot) and puts the focus in the answer field.
    void ListenToWord();
    // An empty answer is not judged: the hint asks for the word.
    void CheckAnswer();
    void SkipWord();
    void NextWord();
    // Ends the test; its grade is kept only when it has answers.
    void StopTest();
    // The results lines and the answer of the last test go (another user logged in).
    void ClearLastTest();
    // Enter on the page: Listen plays, the answer field or Check checks, Next goes on. Enter in
    // the empty answer field plays the word again.
    void OnEnterKey();

    // --- State ---
    int WordNumber() const { return m_nWordNumber; }
    int CorrectCount() const { return m_nCorrectCount; }
    int WordCount() const { return m_nWordCount; }
    QString ScoreText() const { return m_strScore; }
    QString Answer() const { return m_strAnswer; }
    void SetAnswer(const QString& answer) { m_strAnswer = answer; }
    QString Message() const { return m_strMessage; }
    // What a screen reader says of the message beyond its text (after a wrong answer: where the
    // spelling differs); empty for none.
    QString MessageDescription() const;
    // Words answered wrongly (also on a repeated try) or skipped in this test, in asked order.
    const QStringList& WordsToPractise() const { return m_practise; }
    QString CurrentWord() const { return m_strCurrentWord; }
    QString DateText() const { return m_strDateText; }
    QString ListName() const { return m_strListName; }
    const QList<qint32>& Order() const { return m_order; }
    int Randomize() const { return m_nRandomize; }
    void SetRandomize(int randomize) { m_nRandomize = randomize ? 1 : 0; }
    int Repeat() const { return m_nRepeat; }
    void SetRepeat(int repeat) { m_nRepeat = repeat ? 1 : 0; }
    QString RecordingFolder() const { return m_strRecordingFolder; }
    void SetRecordingFolder(const QString& folder) { m_strRecordingFolder = folder; }
    // The file the words' recordings are written to and played from.
    QString RecordingPath() const;

    const QList<STestLine>& Results() const { return m_results; }
    // A test runs and has answers: a word checked or skipped.
    bool HasAnswers() const;
    int SelectedLine() const { return m_nSelectedLine; }  // -1: none

    bool IsEnabled(ETestControl control) const { return m_enabled.at(size_t(control)); }
    // The page's own enabling (its initial update disables Stop).
    void SetControlEnabled(ETestControl control, bool enabled) { Enable(control, enabled); }
    // The control the engine gave the focus to last (None before it gave any).
    ETestControl Focus() const { return m_focus; }

    // The running score over the words answered or skipped so far: "2 of 3 right".
    static QString ScoreLine(int correct, int asked);

    // The score text for `correct` of `count` words: "%3.2f %%" in the C locale, of the
    // percentage rounded to single precision ("33.33 %").
    static QString FormatScore(int correct, int count);

private:
    void Enable(ETestControl control, bool enabled);
    void Enable(std::initializer_list<ETestControl> controls, bool enabled);
    void SetFocus(ETestControl control);
    void TakeControls();
    void ShowState();
    void ClearResults();
    void AddLine(const QString& text, STestColour colour);
    QString ReadWord(int position);
    bool LoggedIn() const;
    void AddGrade(const QString& listName);
    void WriteResults();
    void StopSound();
    void Practise(const QString& word);
    // The end of a test: right, wrong and skipped words, the score, the words to practise.
    QString SummaryText() const;

    COrthexDoc& m_doc;
    CSoundPlayer& m_player;
    CAppSettings& m_settings;
    ITestSessionView* m_pView = nullptr;
    QObject* m_pSender = nullptr;
    Clock m_clock;
    ResultsWriter m_writeResults;

    int m_nWordNumber = 0;
    int m_nCorrectCount = 0;
    int m_nWordCount = 0;
    QString m_strScore;
    QString m_strAnswer;
    QString m_strMessage;
    QString m_strMessageDescription;
    QString m_strDescribedMessage;  // the message m_strMessageDescription belongs to
    QStringList m_practise;
    QString m_strCurrentWord = QStringLiteral("Hi");
    bool m_bHasRecording = false;  // the recording file holds the current word's sound
    QString m_strDateText;
    QString m_strListName;
    QList<qint32> m_order;
    int m_nRandomize = 0;
    int m_nRepeat = 0;
    QString m_strRecordingFolder;
    QList<STestLine> m_results;
    bool m_bAnswered = false;  // a word of this test was checked or skipped
    int m_nSelectedLine = -1;

    // As the form starts: every control enabled.
    std::array<bool, size_t(ETestControl::None)> m_enabled{true, true, true, true, true, true, true, true, true};
    ETestControl m_focus = ETestControl::None;
};
