#pragma once

#include "widgets/pageview.h"
#include "lists/wordsteps.h"
#include "sound/microphonelevel.h"
#include "sound/soundplayer.h"
#include "sound/soundrecorder.h"

#include <QIcon>

#include <functional>
#include <optional>
#include <utility>
#include <QString>
#include <QStringList>

class CAppSettings;
class CImportWordsDlg;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;

// The words page: the creator of a list types a word, records it (alone or said in a sentence),
// listens to it and adds it to the open list. Every change is written to the list file at once,
// each in one transaction: a word added or imported, a sort, a move, a deletion. Nothing waits
// to be saved, so leaving the page, opening another list or exiting loses nothing; a change
// the file refuses leaves the file as it was, and the page shows the file again.
//
// "Speak" beside "Record" makes the recording with the speech engine instead: the word alone, or
// a dictation of it with the optional sentence (the word, a pause, the sentence, a pause, the
// word), in the voice and at the rate of the settings. It needs no microphone. The page plays
// what it made, and the word can be added at once. With the "EnterSpeaksAndAdds" setting, Enter in
// the word box (a word typed, no recording made yet) speaks the word and adds it in one step.
//
// A word already in the list is added again only when the user says so. The list's buttons are
// enabled only when they can act.
//
// Without a microphone the page still works for everything but recording: Record, Stop and the
// volume slider stay disabled.
class CWords : public CPageView
{
    Q_OBJECT
public:
    CWords(COrthexDoc& document, IPageCommandTarget& commands, CAppSettings& settings, QWidget* parent = nullptr);
    ~CWords() override;

    // At creation and after each New or Open: the update below, then the sound set up again
    // (the "Rate" setting, playback, the capture device and format, the microphone's level).
    void OnInitialUpdate() override;
    // Back to the first step with an empty word, and the list read from the file again.
    void OnUpdate() override;

    // --- What the page holds (for the program's other parts and for tests) ---
    const CWordSteps& Steps() const { return m_steps; }
    CSoundRecorder& Recorder() { return m_recorder; }
    CSoundPlayer& Player() { return m_player; }
    IMicrophoneLevel& MicrophoneLevel() { return *m_pMicrophoneLevel; }
    // Whether recording is possible: false once no capture device could be had (until the
    // program is started again).
    bool HasMicrophone() const { return !m_bNoMicrophone; }
    QString RecordingFolder() const { return m_strRecordingFolder; }
    QString TempWavPath() const { return m_strRecordingFolder + QStringLiteral("Temp.wav"); }
    // The voice "Speak" uses: the stored one when it is an installed English voice (the ones the
    // options page offers), else the default voice.
    QString SpeechVoice() const;
    int WordCount() const { return m_nWordCount; }
    QStringList ListedWords() const;

    // Asked before a word already in the list is added again; true adds it. A question box
    // unless a test puts its own answer here.
    using DuplicateQuestion = std::function<bool(const QString& word)>;
    void SetDuplicateQuestion(DuplicateQuestion question) { m_askDuplicate = std::move(question); }

    // "Import Words..." (also from the File menu): the dialog over the open list, with the
    // file at path read into it when one is given (a file dropped on the page). The words
    // imported join the list on screen.
    void ImportWords(const QString& path = QString());
    // "Export Words...": the list's words as a word file, one a line.
    void ExportWords();
    // How the import dialog runs: exec() unless a test drives it.
    using ImportRun = std::function<void(CImportWordsDlg& dialog)>;
    void SetImportRun(ImportRun run) { m_runImport = std::move(run); }
    // Where Export writes: a save dialog unless a test names the file.
    using ExportPicker = std::function<QString(QWidget* parent)>;
    void SetExportPicker(ExportPicker picker) { m_pickExport = std::move(picker); }

    // The text the page shows after "The microphone cannot be used for recording: ..." when there is
    // no microphone.
    static QString NoMicrophoneMessage();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Handlers, in the order of the page's controls.
    void OnRecord();
    void OnSpeak();
    void OnStop();
    void OnPlay();
    void OnRedoRecording();
    void OnAddWord();
    void OnNewWord();
    void OnEnter() {}
    // Enter in the word box: with the "EnterSpeaksAndAdds" setting, Speak and Add in one step.
    void OnWordBoxEnter();
    // Speak's recording of the word (and sentence) into "Temp.wav"; false when the speech
    // failed (and said why).
    bool SpeakIntoTempWav();
    void PlayTempWav();
    void OnSortAToZ();
    void OnUp();
    void OnDown();
    void OnDelete();
    // The order on screen written to the file.
    void StoreOrder();
    // The list read from the file again.
    void ReloadList();
    void OnVolumeReleased();
    // A word of the list: heard (Play Word or a double-click), or corrected: Correct puts it in
    // the word box, and Add Word To List (now "Replace Word") gives its row the spelling and
    // the recording made for it.
    void OnPlayListedWord();
    void OnCorrectWord();
    void EndCorrecting();
    void ReplaceCorrectedWord();
    // The current word of the list as ListedWord names it; nothing without a current word.
    std::optional<std::pair<QString, int>> CurrentListedWord() const;
    QString ListedWavPath() const { return m_strRecordingFolder + QStringLiteral("Listed.wav"); }

    void BuildControls();
    void SetUpSound(int rateIndex);
    void SetUpVolumeSlider();
    void ApplySteps();
    void ApplyListButtons();
    // Member values to the controls, and back.
    void WriteControls();
    void ReadControls();
    void SetListedWords(const QStringList& words);
    void SelectOnly(int row);
    void Focus(QWidget* control);

    CAppSettings& m_settings;
    QIcon m_hPlay;
    QIcon m_hRecord;
    QIcon m_hStop;
    QString m_strRecordingFolder;
    const std::unique_ptr<IMicrophoneLevel> m_pMicrophoneLevel = IMicrophoneLevel::Create();
    CSoundRecorder m_recorder;
    CSoundPlayer m_player;
    QString m_strWord;
    QString m_strSentence;
    int m_nWordCount = 0;
    CWordSteps m_steps;
    bool m_bNoMicrophone = false;
    bool m_bSettingVolume = false;
    DuplicateQuestion m_askDuplicate;
    ImportRun m_runImport;
    ExportPicker m_pickExport;
    std::optional<std::pair<QString, int>> m_correcting;  // the word being corrected
    int m_nCorrectingRow = -1;

    QLineEdit* m_pWordEdit = nullptr;
    QLineEdit* m_pSentenceEdit = nullptr;
    QListWidget* m_pList = nullptr;
    QPushButton* m_pPlay = nullptr;
    QPushButton* m_pRecord = nullptr;
    QPushButton* m_pSpeak = nullptr;
    QPushButton* m_pStop = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pNewWord = nullptr;
    QPushButton* m_pRedo = nullptr;
    QPushButton* m_pEnter = nullptr;
    QLineEdit* m_pWordCount = nullptr;
    QPushButton* m_pSort = nullptr;
    QPushButton* m_pUp = nullptr;
    QPushButton* m_pDown = nullptr;
    QPushButton* m_pDelete = nullptr;
    QPushButton* m_pImport = nullptr;
    QPushButton* m_pExport = nullptr;
    QPushButton* m_pPlayWord = nullptr;
    QPushButton* m_pCorrect = nullptr;
    QSlider* m_pVolume = nullptr;
};
