#pragma once

#include "widgets/pageview.h"
#include "testtaking/testsession.h"

#include <QColor>

#include <functional>
#include <memory>

class CAppSettings;
class CSoundPlayer;
class CLineListBox;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The test page: the form on which a pupil takes a test. It owns the test engine and the sound
// player that plays the words, forwards its buttons to the engine and shows the engine's
// state, enabled controls, focus and results list. Enter on a button presses it (the
// application's CEnterPressesButton); Enter on Listen, Next or any other control presses the
// hidden default button "Enter Key", which acts on the control that has the focus.
//
// With the "AutoPlay" setting on (read when a test starts), each word is played as soon as it
// is asked, after "Start" and after "Next" (also when Enter presses Next), as if "Listen to
// Word" were pressed; Listen plays it again. Nothing plays when the test ends or is stopped.
//
// With the "LargerText" setting on (read each time the page is shown), the page's text is half
// as large again, for young children.
class CTest : public CPageView, public ITestSessionView
{
    Q_OBJECT
public:
    CTest(COrthexDoc& document, IPageCommandTarget& commands, CAppSettings& settings, QWidget* parent = nullptr);
    ~CTest() override;

    // Reset, the results list's extent, Stop disabled, the playback device, the recording
    // folder.
    void OnInitialUpdate() override;
    // Every update of the document's views: the engine resets for a new test; after a change
    // of user the last test's lines and answer go too.
    void OnUpdate() override;
    // The main window closes during a test: the test is stopped as "Stop" does, so its grade
    // is kept and written.
    void OnFrameClosing() override;

    // Where a finished or stopped test's results are written at once. By default the
    // document's result files, when the document offers COrthexDoc::SaveResults().
    void SetResultsWriter(CTestSession::ResultsWriter writer);
    // Asked before Stop ends a test that has answers; true goes on to stop. By default (and
    // when given none) a question box whose default answer keeps the test.
    using StopQuestion = std::function<bool(QWidget* parent)>;
    void SetStopQuestion(StopQuestion question);
    static bool WritesResultsThroughDocument();

    CTestSession& Session() { return *m_session; }
    CSoundPlayer& Player() { return *m_player; }

    // The controls, by their role on the form.
    QPushButton* StartButton() const { return m_pStart; }
    QPushButton* StopButton() const { return m_pStop; }
    QCheckBox* RandomizeBox() const { return m_pRandomize; }
    QCheckBox* RepeatBox() const { return m_pRepeat; }
    QLineEdit* WordNumberField() const { return m_pWordNumber; }
    QLineEdit* CorrectField() const { return m_pCorrect; }
    QLineEdit* WordCountField() const { return m_pWordCount; }
    QLineEdit* ScoreField() const { return m_pScore; }
    QPushButton* ListenButton() const { return m_pListen; }
    QLineEdit* AnswerField() const { return m_pAnswer; }
    QPushButton* CheckButton() const { return m_pCheck; }
    QPushButton* SkipButton() const { return m_pSkip; }
    QPushButton* NextButton() const { return m_pNext; }
    QPlainTextEdit* MessageField() const { return m_pMessage; }
    CLineListBox* ResultsList() const { return m_pResults; }
    QPushButton* EnterKeyButton() const { return m_pEnterKey; }
    QWidget* Control(ETestControl control) const;

    // A results line's colour as a colour of the list.
    static QColor LineColour(STestColour colour);

    // --- ITestSessionView ---
    void TakeControls(CTestSession& session) override;
    void ShowState(const CTestSession& session) override;
    void EnableControl(ETestControl control, bool enabled) override;
    void FocusControl(ETestControl control) override;
    void ShowResults(const CTestSession& session) override;
    ETestControl FocusedControl() const override;

    // How much larger the text is with the "LargerText" setting.
    static constexpr double kLargerTextScale = 1.5;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void OnStart();
    void OnStop();
    // Runs a page operation; when it asked a new word and the test plays words by itself, plays
    // that word.
    template <typename Operation>
    void AskingWord(Operation operation);

    CAppSettings& m_settings;
    bool m_bAutoPlay = false;
    StopQuestion m_askStop;
    QString m_strUser;  // the user whose test the page shows

    std::unique_ptr<CSoundPlayer> m_player;
    std::unique_ptr<CTestSession> m_session;

    QPushButton* m_pStart = nullptr;
    QPushButton* m_pStop = nullptr;
    QCheckBox* m_pRandomize = nullptr;
    QCheckBox* m_pRepeat = nullptr;
    QLineEdit* m_pWordNumber = nullptr;
    QLineEdit* m_pCorrect = nullptr;
    QLineEdit* m_pWordCount = nullptr;
    QLineEdit* m_pScore = nullptr;
    QPushButton* m_pListen = nullptr;
    QLineEdit* m_pAnswer = nullptr;
    QPushButton* m_pCheck = nullptr;
    QPushButton* m_pSkip = nullptr;
    QPushButton* m_pNext = nullptr;
    QPlainTextEdit* m_pMessage = nullptr;
    CLineListBox* m_pResults = nullptr;
    QPushButton* m_pEnterKey = nullptr;
};
