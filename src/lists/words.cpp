#include "lists/words.h"

#include "base/appfolders.h"
#include "base/appsettings.h"
#include "widgets/dialogunits.h"
#include "base/messages.h"
#include "widgets/pagecontrols.h"
#include "lists/importwordsdlg.h"
#include "lists/listedword.h"
#include "lists/newwordrow.h"
#include "sound/recordingcheck.h"
#include "lists/wordfile.h"
#include "base/atomicfile.h"
#include "base/boundedfile.h"
#include "document/orthexdoc.h"
#include "widgets/waitcursor.h"
#include "lists/wordlistedit.h"
#include "lists/wordlistreload.h"
#include "lists/wordlistsave.h"
#include "lists/wordspeaker.h"
#include "sound/speechsynthesizer.h"

#include <QDragEnterEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QMimeData>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

using namespace PageControls;

namespace {
constexpr int kMaxWordLength = 50;  // the width of the list's [Word] column

// A button that shows only its image; its caption is what a screen reader says and the tip shows.
QPushButton* imageButton(const QString& caption, const QString& objectName, const QString& whatsThis,
                         const QIcon& icon, QWidget* parent)
{
    auto* button = FormButton(QString(), whatsThis, parent, objectName);
    button->setAccessibleName(caption);
    button->setToolTip(caption);
    button->setIcon(icon);
    button->setIconSize(QSize(32, 32));
    button->setMinimumSize(QSize(48, 40));
    return button;
}

QLabel* stepNumber(const QString& number, QWidget* parent)
{
    return StaticText(number, parent, Qt::AlignRight | Qt::AlignVCenter);
}

QLabel* heading(const QString& text, QWidget* parent)
{
    QLabel* label = StaticText(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}
}  // namespace

CWords::CWords(COrthexDoc& document, IPageCommandTarget& commands, CAppSettings& settings, QWidget* parent)
    : CPageView(document, commands, parent, QSize(360, 220))
    , m_settings(settings)
    , m_hPlay(QStringLiteral(":/words/play.svg"))
    , m_hRecord(QStringLiteral(":/words/record.svg"))
    , m_hStop(QStringLiteral(":/words/stop.svg"))
{
    setObjectName(QStringLiteral("wordsPage"));
    setAccessibleName(QStringLiteral("Words Page"));
    setFont(CDialogUnits::FormFont());
    BuildControls();
    ApplySteps();
    ApplyListButtons();
    setAcceptDrops(true);
    m_runImport = [](CImportWordsDlg& dialog) { dialog.exec(); };
    m_pickExport = [](QWidget* parent) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Export Words"), QString(),
                                            QStringLiteral("Word files (*.txt);;All files (*)"));
    };
    m_askDuplicate = [this](const QString& word) {
        return QMessageBox::question(this, QStringLiteral("Add Word To List"),
                                     QStringLiteral("\"%1\" is already in the list. Add it again?").arg(word),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    };
}

CWords::~CWords()
{
    // The recorder goes with the page's members; the microphone level lets its source go first.
    m_pMicrophoneLevel->Close();
}

void CWords::BuildControls()
{
    const CDialogUnits du(font());
    QVBoxLayout* page = ScrollingForm(this, QStringLiteral("words"), QStringLiteral("Words Page"));
    QWidget* form = page->parentWidget();

    // --- Adding a word: the numbered steps beside their controls ---
    auto* addHeading = heading(QStringLiteral("Add a New Spelling Word"), form);

    m_pWordEdit = new QLineEdit(form);
    m_pWordEdit->setObjectName(QStringLiteral("wordEdit"));
    m_pWordEdit->setMaxLength(kMaxWordLength);
    m_pWordEdit->setAccessibleName(QStringLiteral("Enter Word"));
    m_pWordEdit->setWhatsThis(QStringLiteral("The spelling word to add (at most 50 characters)."));
    auto* enterWord = StaticText(QStringLiteral("Enter Word"), form);
    enterWord->setBuddy(m_pWordEdit);

    m_pSentenceEdit = new QLineEdit(form);
    m_pSentenceEdit->setObjectName(QStringLiteral("sentenceEdit"));
    m_pSentenceEdit->setMaxLength(CSpeechSynthesizer::kMaxTextLength);
    m_pSentenceEdit->setAccessibleName(QStringLiteral("Sentence"));
    m_pSentenceEdit->setAccessibleDescription(QStringLiteral("A sentence with the word, for Speak (optional)"));
    m_pSentenceEdit->setWhatsThis(
        QStringLiteral("Optional. Speak then says the word, this sentence, and the word again."));
    auto* sentence = StaticText(QStringLiteral("Sentence"), form);
    sentence->setBuddy(m_pSentenceEdit);

    m_pRecord = imageButton(QStringLiteral("Record"), QStringLiteral("recordButton"),
                            QStringLiteral("Starts recording from the microphone."), m_hRecord, form);
    m_pSpeak = FormButton(QStringLiteral("Speak"),
                          QStringLiteral("Makes the recording with the computer's voice instead of the microphone: "
                                         "the word, or the word, the sentence and the word again."),
                          form, QStringLiteral("speakButton"));
    m_pSpeak->setMinimumHeight(m_pRecord->minimumHeight());
    m_pStop = imageButton(QStringLiteral("Stop"), QStringLiteral("stopButton"), QStringLiteral("Stops the recording."),
                          m_hStop, form);
    m_pPlay = imageButton(QStringLiteral("Play"), QStringLiteral("playButton"), QStringLiteral("Plays the recording."),
                          m_hPlay, form);
    auto* hint = WrappedText(QStringLiteral("You can record a sentence with the spelling word."), form);

    m_pAdd = FormButton(QStringLiteral("Add Word To List"),
                        QStringLiteral("Stores the word and its recording in the list."), form,
                        QStringLiteral("addButton"));
    m_pRedo = FormButton(QStringLiteral("Redo Recording"),
                         QStringLiteral("Discards the recording so that the word can be recorded again."), form,
                         QStringLiteral("redoButton"));
    m_pNewWord = FormButton(QStringLiteral("New Word"), QStringLiteral("Starts again with an empty word."), this,
                            QStringLiteral("newWordButton"));
    m_pNewWord->hide();
    // Takes the Enter key, as a form's hidden default button does, so that Enter saves nothing.
    m_pEnter = FormButton(QStringLiteral("Enter"), QString(), this, QStringLiteral("enterButton"));
    m_pEnter->hide();

    m_pVolume = new QSlider(Qt::Horizontal, form);
    m_pVolume->setObjectName(QStringLiteral("volumeSlider"));
    m_pVolume->setAccessibleName(QStringLiteral("Vol."));
    m_pVolume->setAccessibleDescription(QStringLiteral("Microphone volume"));
    m_pVolume->setWhatsThis(QStringLiteral("The recording level of the microphone."));
    m_pVolume->setRange(0, 0);
    m_pVolume->setTickPosition(QSlider::TicksBelow);
    auto* volume = StaticText(QStringLiteral("Vol."), form);
    volume->setBuddy(m_pVolume);

    auto* steps = new QGridLayout;
    steps->setColumnStretch(2, 1);
    int row = 0;
    steps->addWidget(stepNumber(QStringLiteral("1)"), form), row, 0);
    steps->addWidget(enterWord, row, 1);
    steps->addWidget(m_pWordEdit, row, 2, 1, 2);
    ++row;
    steps->addWidget(sentence, row, 1);
    steps->addWidget(m_pSentenceEdit, row, 2, 1, 2);
    ++row;
    steps->addWidget(stepNumber(QStringLiteral("2)"), form), row, 0);
    steps->addWidget(StaticText(QStringLiteral("Start Recording"), form), row, 1);
    auto* recordOrSpeak = new QHBoxLayout;
    recordOrSpeak->addWidget(m_pRecord);
    recordOrSpeak->addWidget(m_pSpeak);
    steps->addLayout(recordOrSpeak, row, 2, Qt::AlignLeft);
    steps->addWidget(hint, row, 3, 2, 1);
    ++row;
    steps->addWidget(stepNumber(QStringLiteral("3)"), form), row, 0);
    steps->addWidget(StaticText(QStringLiteral("Stop Recording"), form), row, 1);
    steps->addWidget(m_pStop, row, 2, Qt::AlignLeft);
    ++row;
    steps->addWidget(stepNumber(QStringLiteral("4)"), form), row, 0);
    steps->addWidget(StaticText(QStringLiteral("Play Recording"), form), row, 1);
    steps->addWidget(m_pPlay, row, 2, Qt::AlignLeft);
    ++row;
    steps->addWidget(stepNumber(QStringLiteral("5)"), form), row, 0);
    steps->addWidget(StaticText(QStringLiteral("Add to List"), form), row, 1);
    steps->addWidget(m_pAdd, row, 2, 1, 2, Qt::AlignLeft);
    ++row;
    steps->addWidget(StaticText(QStringLiteral("or"), form), row, 1);
    ++row;
    steps->addWidget(StaticText(QStringLiteral("Redo Sound"), form), row, 1);
    steps->addWidget(m_pRedo, row, 2, 1, 2, Qt::AlignLeft);
    ++row;
    steps->setRowMinimumHeight(row, du.Y(4));
    ++row;
    steps->addWidget(volume, row, 1);
    steps->addWidget(m_pVolume, row, 2, 1, 2);

    auto* addSide = new QVBoxLayout;
    addSide->addWidget(addHeading);
    addSide->addLayout(steps);
    addSide->addStretch(1);

    // --- The current list ---
    m_pList = new QListWidget(form);
    m_pList->setObjectName(QStringLiteral("wordList"));
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setSortingEnabled(false);
    m_pList->setAccessibleName(QStringLiteral("Current List"));
    m_pList->setWhatsThis(QStringLiteral("The words of the list in their order. Select words to move or delete them."));
    auto* listHeading = heading(QStringLiteral("Current List"), form);
    listHeading->setBuddy(m_pList);

    m_pWordCount = new QLineEdit(form);
    m_pWordCount->setObjectName(QStringLiteral("wordCountEdit"));
    m_pWordCount->setReadOnly(true);
    m_pWordCount->setAccessibleName(QStringLiteral("#Words"));
    m_pWordCount->setWhatsThis(QStringLiteral("How many words the list has."));
    m_pWordCount->setMaximumWidth(du.X(40));
    auto* countLabel = StaticText(QStringLiteral("#Words"), form);
    countLabel->setBuddy(m_pWordCount);

    m_pSort = FormButton(QStringLiteral("A..Z"), QStringLiteral("Sorts the words from A to Z."), form,
                         QStringLiteral("sortButton"));
    m_pUp = FormButton(QStringLiteral("Up"), QStringLiteral("Moves the current word one place up."), form,
                       QStringLiteral("upButton"));
    m_pDown = FormButton(QStringLiteral("Down"), QStringLiteral("Moves the current word one place down."), form,
                         QStringLiteral("downButton"));
    m_pDelete = FormButton(QStringLiteral("Delete"), QStringLiteral("Takes the selected words off the list."), form,
                           QStringLiteral("deleteButton"));
    m_pPlayWord = FormButton(QStringLiteral("Play Word"), QStringLiteral("Plays the current word's recording."),
                             form, QStringLiteral("playWordButton"));
    m_pCorrect = FormButton(QStringLiteral("Correct"),
                            QStringLiteral("Puts the current word in the word box to correct its spelling or make "
                                           "a new recording; Replace Word stores both."),
                            form, QStringLiteral("correctButton"));

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(countLabel);
    countRow->addWidget(m_pWordCount);
    auto* listButtons = new QVBoxLayout;
    listButtons->addLayout(countRow);
    listButtons->addSpacing(du.Y(4));
    listButtons->addWidget(m_pSort);
    listButtons->addWidget(m_pUp);
    listButtons->addWidget(m_pDown);
    listButtons->addWidget(m_pDelete);
    listButtons->addSpacing(du.Y(4));
    listButtons->addWidget(m_pPlayWord);
    listButtons->addWidget(m_pCorrect);
    listButtons->addStretch(1);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_pList, 1);
    listRow->addLayout(listButtons);
    m_pImport = FormButton(QStringLiteral("Import Words..."),
                           QStringLiteral("Adds words pasted or read from a word file, each spoken by the computer."),
                           form, QStringLiteral("importWordsButton"));
    m_pExport = FormButton(QStringLiteral("Export Words..."), QStringLiteral("Writes the words to a word file."),
                           form, QStringLiteral("exportWordsButton"));
    auto* saveRow = new QHBoxLayout;
    saveRow->addStretch(1);
    saveRow->addWidget(m_pImport);
    saveRow->addWidget(m_pExport);

    auto* listSide = new QVBoxLayout;
    listSide->addWidget(listHeading);
    listSide->addLayout(listRow, 1);
    listSide->addLayout(saveRow);

    auto* columns = new QHBoxLayout;
    columns->addLayout(addSide, 1);
    columns->addSpacing(du.X(8));
    columns->addLayout(listSide, 1);

    page->addLayout(columns, 1);

    // Keyboard order: the steps from top to bottom, then the list and its buttons.
    QWidget* order[] = {m_pWordEdit, m_pSentenceEdit, m_pRecord, m_pSpeak,  m_pStop, m_pPlay,
                        m_pAdd,      m_pRedo,         m_pVolume, m_pList,   m_pSort, m_pUp,
                        m_pDown,     m_pDelete,       m_pPlayWord, m_pCorrect, m_pImport, m_pExport};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_pRecord, &QPushButton::clicked, this, &CWords::OnRecord);
    connect(m_pSpeak, &QPushButton::clicked, this, &CWords::OnSpeak);
    connect(m_pStop, &QPushButton::clicked, this, &CWords::OnStop);
    connect(m_pPlay, &QPushButton::clicked, this, &CWords::OnPlay);
    connect(m_pRedo, &QPushButton::clicked, this, &CWords::OnRedoRecording);
    connect(m_pAdd, &QPushButton::clicked, this, &CWords::OnAddWord);
    connect(m_pNewWord, &QPushButton::clicked, this, &CWords::OnNewWord);
    connect(m_pEnter, &QPushButton::clicked, this, &CWords::OnEnter);
    connect(m_pSort, &QPushButton::clicked, this, &CWords::OnSortAToZ);
    connect(m_pUp, &QPushButton::clicked, this, &CWords::OnUp);
    connect(m_pDown, &QPushButton::clicked, this, &CWords::OnDown);
    connect(m_pDelete, &QPushButton::clicked, this, &CWords::OnDelete);
    connect(m_pImport, &QPushButton::clicked, this, [this] { ImportWords(); });
    connect(m_pPlayWord, &QPushButton::clicked, this, &CWords::OnPlayListedWord);
    connect(m_pCorrect, &QPushButton::clicked, this, &CWords::OnCorrectWord);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &CWords::OnPlayListedWord);
    connect(m_pExport, &QPushButton::clicked, this, &CWords::ExportWords);
    connect(m_pList, &QListWidget::currentRowChanged, this, &CWords::ApplyListButtons);
    connect(m_pList, &QListWidget::itemSelectionChanged, this, &CWords::ApplyListButtons);
    connect(m_pWordEdit, &QLineEdit::returnPressed, this, &CWords::OnWordBoxEnter);
    connect(m_pSentenceEdit, &QLineEdit::returnPressed, m_pEnter, &QPushButton::click);
    // Dragging changes nothing until the slider is let go; a step made with the keyboard, the
    // wheel or a click beside the handle is a whole move and is applied at once.
    connect(m_pVolume, &QSlider::sliderReleased, this, &CWords::OnVolumeReleased);
    connect(m_pVolume, &QSlider::valueChanged, this, [this] {
        if (!m_pVolume->isSliderDown())
            OnVolumeReleased();
    });
}

QString CWords::NoMicrophoneMessage()
{
    return QStringLiteral("Orthex found no microphone, so words cannot be recorded for now.\n\n"
                          "Everything else on the Words page still works. To record words, plug a microphone "
                          "into the computer's microphone port and then restart Orthex.");
}

// --- Set-up and updates ----------------------------------------------------------------------

void CWords::OnInitialUpdate()
{
    OnUpdate();
    const int rate = m_settings.Rate();
    m_player.OpenOutputDevice();
    SetUpSound(rate);
    // The images stay on Play, Record and Stop from the page's creation.
    m_steps.SetCanRecord(!m_bNoMicrophone);
    m_steps.Reset();
    ApplySteps();
    m_strRecordingFolder = CAppFolders::GetRecordingFolder();
    // Recording writes "Temp.wav" there, so the folder must exist.
    CAppFolders::CreateFolderPath(m_strRecordingFolder);
}

void CWords::SetUpSound(int rateIndex)
{
    CSoundRecorder::EnumerateCaptureDevices();
    // Without a capture device the page goes on without recording. It says so only the first
    // time: a microphone plugged in later is found only when the program starts again.
    if (!m_bNoMicrophone && m_recorder.InitCaptureDevice().Failed()) {
        m_bNoMicrophone = true;
        Messages::Show(QStringLiteral("The microphone cannot be used for recording: check that it is connected and "
                                      "that the sound server (PulseAudio or PipeWire) is running."));
        Messages::Show(NoMicrophoneMessage(), MessageIcon::Information);
    }
    if (!m_bNoMicrophone) {
        m_recorder.SetCaptureFormat(rateIndex);
        m_pMicrophoneLevel->Open(CSoundRecorder::GetCaptureDeviceName(), CSoundRecorder::GetCaptureDeviceId());
    }
    SetUpVolumeSlider();
}

void CWords::SetUpVolumeSlider()
{
    m_bSettingVolume = true;
    if (m_bNoMicrophone) {
        m_pVolume->setRange(0, 0);
        m_pVolume->setEnabled(false);
    } else {
        const std::optional<quint32> volume = m_pMicrophoneLevel->Volume();
        const int minimum = 0;
        const int maximum = int(m_pMicrophoneLevel->Maximum());
        m_pVolume->setRange(minimum, maximum);
        m_pVolume->setSingleStep(qMax(1, (maximum - minimum) / 100));
        m_pVolume->setPageStep(qMax(1, (maximum - minimum) / 10));
        m_pVolume->setTickInterval(qMax(1, (maximum - minimum) / 10));
        m_pVolume->setValue(int(volume.value_or(0)));
        m_pVolume->setEnabled(true);
    }
    m_bSettingVolume = false;
}

void CWords::OnUpdate()
{
    EndCorrecting();
    m_steps.Reset();
    ApplySteps();
    m_strWord.clear();
    m_strSentence.clear();
    Focus(m_pWordEdit);
    ReloadList();
    m_nWordCount = m_pList->count();
    WriteControls();
}

void CWords::ApplySteps()
{
    const CWordSteps::Buttons enabled = m_steps.Enabled();
    m_pRecord->setEnabled(enabled.record);
    m_pSpeak->setEnabled(enabled.speak);
    m_pStop->setEnabled(enabled.stop);
    m_pPlay->setEnabled(enabled.play);
    m_pAdd->setEnabled(enabled.add);
    m_pRedo->setEnabled(enabled.redo);
}

void CWords::ApplyListButtons()
{
    const WordListEdit::SListButtons enabled = WordListEdit::EnabledButtons(
        m_pList->count(), m_pList->currentRow(), int(m_pList->selectionModel()->selectedRows().size()));
    m_pSort->setEnabled(enabled.sort);
    m_pUp->setEnabled(enabled.up);
    m_pDown->setEnabled(enabled.down);
    m_pDelete->setEnabled(enabled.remove);
    m_pExport->setEnabled(m_pList->count() > 0);
    const bool current = m_pList->currentRow() >= 0 && m_pList->currentRow() < m_pList->count();
    m_pPlayWord->setEnabled(current);
    m_pCorrect->setEnabled(current);
}

void CWords::WriteControls()
{
    if (m_pWordEdit->text() != m_strWord)
        m_pWordEdit->setText(m_strWord);
    if (m_pSentenceEdit->text() != m_strSentence)
        m_pSentenceEdit->setText(m_strSentence);
    m_pWordCount->setText(QString::number(m_nWordCount));
    ApplyListButtons();
}

void CWords::ReadControls()
{
    m_strWord = m_pWordEdit->text();
    m_strSentence = m_pSentenceEdit->text();
}

QStringList CWords::ListedWords() const
{
    QStringList words;
    words.reserve(m_pList->count());
    for (int i = 0; i < m_pList->count(); ++i)
        words.append(m_pList->item(i)->text());
    return words;
}

void CWords::SetListedWords(const QStringList& words)
{
    m_pList->clear();
    m_pList->addItems(words);
}

void CWords::SelectOnly(int row)
{
    m_pList->clearSelection();
    if (row >= 0 && row < m_pList->count())
        m_pList->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void CWords::Focus(QWidget* control)
{
    // A page that is not shown leaves the focus where it is, on the page the user sees.
    if (isVisible())
        control->setFocus();
}

void CWords::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_pEnter->click();
        event->accept();
        return;
    }
    CPageView::keyPressEvent(event);
}

// --- Adding a word ---------------------------------------------------------------------------

void CWords::OnRecord()
{
    m_steps.StartRecording();
    ApplySteps();
    Focus(m_pStop);
    // Nothing plays while the microphone records, and the recording replaces the loaded file.
    m_player.Unload();
    CAppFolders::CreateFolderPath(m_strRecordingFolder);
    m_recorder.OpenCaptureFile(TempWavPath());
    CAppFolders::ShareLikeParent(TempWavPath());
    if (m_recorder.CreateCaptureBuffer(m_recorder.GetCaptureFormat()).Failed()) {
        Messages::Show(QStringLiteral("CreateCaptureBuffer Failed"));
        return;
    }
    if (m_recorder.StartCapture().Failed())
        Messages::Show(QStringLiteral("Start Recording Failed"));
}

void CWords::OnSpeak()
{
    ReadControls();
    if (m_strWord.isEmpty()) {
        Messages::Show(QStringLiteral("No Word Entered"));
        Focus(m_pWordEdit);
        return;
    }
    if (!SpeakIntoTempWav())
        return;
    // The user hears what was made and can add it at once, play it again or redo it.
    m_steps.Played();
    ApplySteps();
    Focus(m_pAdd);
    PlayTempWav();
}

bool CWords::SpeakIntoTempWav()
{
    // The speech replaces "Temp.wav", which the loaded sound holds open.
    m_player.Unload();
    CAppFolders::CreateFolderPath(m_strRecordingFolder);
    {
        CWaitCursor wait;
        CSpeechSynthesizer speech(SpeechVoice(), m_settings.SpeechRate());
        // A sentence that would be spoken for minutes is refused before the wait.
        if (CWordSpeaker::SurelyTooLong(m_strWord, m_strSentence, speech.Rate())) {
            Messages::Show(CWordSpeaker::TooLongMessage(m_strWord), MessageIcon::Exclamation);
            Focus(m_pSentenceEdit);
            return false;
        }
        // On failure the synthesizer has said why, and there is still no recording to add.
        if (!speech.SpeakDictation(m_strWord, m_strSentence, TempWavPath())) {
            Focus(m_pSpeak);
            return false;
        }
    }
    CAppFolders::ShareLikeParent(TempWavPath());
    return true;
}

void CWords::PlayTempWav()
{
    m_player.Load(TempWavPath());
    if (m_player.Play().Failed())
        Messages::Show(QStringLiteral("Play Error"));
}

void CWords::OnWordBoxEnter()
{
    // Only a typed word with no recording made yet, outside a correction: otherwise Enter does
    // nothing, as on the rest of the page.
    ReadControls();
    if (m_settings.EnterSpeaksAndAdds() == 0 || m_strWord.isEmpty() || m_correcting
        || m_steps.Current() != CWordSteps::Step::Ready || !SpeakIntoTempWav())
        return;
    m_steps.Played();
    ApplySteps();
    OnAddWord();
    // Heard after the add, which lets go of the loaded sound to read the file; the word stays
    // in "Temp.wav" until the next recording.
    PlayTempWav();
}

QString CWords::SpeechVoice() const
{
    const QString stored = m_settings.Voice();
    const QList<CVoice> voices = CSpeechSynthesizer::EnglishVoices();
    const bool installed =
        std::any_of(voices.cbegin(), voices.cend(), [&](const CVoice& voice) { return voice.id == stored; });
    return installed ? stored : CSpeechSynthesizer::kDefaultVoice;
}

void CWords::OnStop()
{
    m_steps.Recorded();
    ApplySteps();
    Focus(m_pPlay);
    m_recorder.StopRecording();
}

void CWords::OnPlay()
{
    m_steps.Played();
    ApplySteps();
    m_player.Load(TempWavPath());
    if (m_player.Play().Failed())
        Messages::Show(QStringLiteral("Play Error"));
}

void CWords::OnRedoRecording()
{
    ReadControls();
    m_steps.Reset();
    ApplySteps();
    WriteControls();
    Focus(m_pRecord);
}

void CWords::OnNewWord()
{
    EndCorrecting();
    m_steps.Reset();
    ApplySteps();
    m_strWord.clear();
    m_strSentence.clear();
    WriteControls();
    Focus(m_pWordEdit);
}

void CWords::OnAddWord()
{
    ReadControls();
    if (m_strWord.isEmpty()) {
        Messages::Show(QStringLiteral("No Word Entered"));
        Focus(m_pWordEdit);
        return;
    }
    COrthexDoc& doc = GetDocument();
    if (!doc.IsListOpen()) {
        Messages::Show(CNewWordRow::NoListMessage(), MessageIcon::Exclamation);
        Focus(m_pWordEdit);
        return;
    }
    // Stored composed, as answers are compared; a character no pupil can type or see is refused.
    m_strWord = WordFile::Normalized(m_strWord);
    if (const QString refused = CNewWordRow::RefusedWordMessage(m_strWord); !refused.isEmpty()) {
        Messages::Show(refused, MessageIcon::Exclamation);
        Focus(m_pWordEdit);
        return;
    }
    if (m_correcting) {
        ReplaceCorrectedWord();
        return;
    }
    const QStringList listed = ListedWords();
    const bool onList = std::any_of(listed.cbegin(), listed.cend(),
                                    [this](const QString& word) { return WordFile::Normalized(word) == m_strWord; });
    if (onList && !m_askDuplicate(m_strWord)) {
        Focus(m_pWordEdit);
        return;
    }
    m_pList->addItem(m_strWord);
    SelectOnly(m_nWordCount);
    // The loaded sound holds "Temp.wav" open; it goes before the file is read.
    m_player.Unload();
    switch (CNewWordRow::Append(doc, m_strWord, TempWavPath())) {
    case CNewWordRow::Result::Stored:
        break;
    case CNewWordRow::Result::NoFileStatus:
        OnNewWord();
        return;
    case CNewWordRow::Result::NoList:
    case CNewWordRow::Result::NotRead:
    case CNewWordRow::Result::Unplayable:
    case CNewWordRow::Result::NotStored:
        // The word stays on screen without a row until the list is read again.
        return;
    }
    ++m_nWordCount;
    WriteControls();
    OnNewWord();
}

// --- The current list ------------------------------------------------------------------------

void CWords::OnSortAToZ()
{
    QStringList words = ListedWords();
    if (words.size() <= 1)
        return;
    WordListEdit::SortAToZ(words);
    SetListedWords(words);
    ApplyListButtons();
    StoreOrder();
}

void CWords::OnUp()
{
    // The current row is the one with the focus rectangle, selected or not.
    const int row = m_pList->currentRow();
    if (row <= 0)
        return;
    m_pList->insertItem(row - 1, m_pList->takeItem(row));
    SelectOnly(row - 1);
    StoreOrder();
}

void CWords::OnDown()
{
    const int row = m_pList->currentRow();
    if (row < 0 || row >= m_pList->count() - 1)
        return;
    m_pList->insertItem(row + 1, m_pList->takeItem(row));
    SelectOnly(row + 1);
    StoreOrder();
}

void CWords::OnDelete()
{
    QList<int> rows;
    for (const QModelIndex& index : m_pList->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : rows) {
        delete m_pList->takeItem(row);
        --m_nWordCount;
    }
    ReadControls();  // the word being typed stays
    WriteControls();
    if (!rows.isEmpty())
        StoreOrder();
}

void CWords::StoreOrder()
{
    // The word being corrected is named by its place among its like, which a change can move.
    EndCorrecting();
    CWaitCursor wait;
    COrthexDoc& doc = GetDocument();
    if (!doc.IsListOpen())
        return;
    // One transaction: on failure the file is as it was, and the page shows it again.
    if (!CWordListSave::Save(*doc.List(), ListedWords())) {
        const int row = m_pList->currentRow();
        ReadControls();  // what is typed stays
        ReloadList();
        SelectOnly(qMin(row, m_pList->count() - 1));
    }
}

void CWords::ReloadList()
{
    m_pList->clear();
    const CWordListReload::Result reloaded = CWordListReload::Run(GetDocument());
    if (reloaded.outcome == CWordListReload::Outcome::Loaded)
        SetListedWords(reloaded.words);
    // The count follows the list also when it is empty now.
    m_nWordCount = m_pList->count();
    WriteControls();
}

void CWords::OnVolumeReleased()
{
    if (m_bSettingVolume || m_bNoMicrophone)
        return;
    m_pMicrophoneLevel->SetVolume(quint32(qMax(0, m_pVolume->value())));
}

// --- Importing and exporting ---------------------------------------------------------------------

void CWords::ImportWords(const QString& path)
{
    COrthexDoc& doc = GetDocument();
    if (!doc.IsListOpen()) {
        Messages::Show(CNewWordRow::NoListMessage(), MessageIcon::Exclamation);
        return;
    }
    // The sound that "Temp.wav" holds is not needed while the words are spoken.
    m_player.Unload();
    CImportWordsDlg dialog(doc, ListedWords(), this);
    if (!path.isEmpty() && !dialog.LoadFile(path))
        return;
    m_runImport(dialog);
    if (dialog.IsImporting())
        return;  // a test left it running: the dialog's end waits for the speech
    for (const QString& word : dialog.Stored()) {
        m_pList->addItem(word);
        ++m_nWordCount;
    }
    WriteControls();
}

void CWords::ExportWords()
{
    const QString path = m_pickExport(this);
    if (path.isEmpty())
        return;
    if (QString why; !AtomicFile::Write(path, WordFile::Write(ListedWords()), &why))
        Messages::Show(QStringLiteral("The words could not be written to \"%1\": %2")
                           .arg(QDir::toNativeSeparators(path), why));
}

namespace {
// The local text file a drag carries, or nothing: lists (*.orthex) are the main window's to open.
QString droppedWordFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return QString();
    const QString path = data->urls().first().toLocalFile();
    if (path.endsWith(QLatin1String(".orthex"), Qt::CaseInsensitive) || !QFileInfo(path).isFile())
        return QString();
    return path;
}
}  // namespace

void CWords::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedWordFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        CPageView::dragEnterEvent(event);
}

void CWords::dropEvent(QDropEvent* event)
{
    const QString path = droppedWordFile(event->mimeData());
    if (path.isEmpty()) {
        CPageView::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    // After the drop has ended: the dialog runs its own event loop.
    QMetaObject::invokeMethod(this, [this, path] { ImportWords(path); }, Qt::QueuedConnection);
}

// --- A word of the list ----------------------------------------------------------------------

std::optional<std::pair<QString, int>> CWords::CurrentListedWord() const
{
    const int row = m_pList->currentRow();
    if (row < 0 || row >= m_pList->count())
        return std::nullopt;
    const QString word = m_pList->item(row)->text();
    int occurrence = 0;
    for (int i = 0; i < row; ++i)
        occurrence += m_pList->item(i)->text() == word ? 1 : 0;
    return std::pair{word, occurrence};
}

void CWords::OnPlayListedWord()
{
    const std::optional<std::pair<QString, int>> listed = CurrentListedWord();
    COrthexDoc& doc = GetDocument();
    if (!listed || !doc.IsListOpen())
        return;
    const std::optional<QByteArray> sound = ListedWord::Sound(*doc.List(), listed->first, listed->second);
    if (!sound) {
        Messages::Show(QStringLiteral("\"%1\" is no longer in the list file.").arg(listed->first));
        return;
    }
    // Played from a file of its own: "Temp.wav" may hold a word not added yet.
    m_player.Unload();
    CAppFolders::CreateFolderPath(m_strRecordingFolder);
    if (QString why; !AtomicFile::Write(ListedWavPath(), *sound, &why, AtomicFile::Sharing::LikeFolder)) {
        Messages::Show(QStringLiteral("\"%1\" could not be written: %2").arg(QDir::toNativeSeparators(ListedWavPath()), why));
        return;
    }
    m_player.Load(ListedWavPath());
    if (m_player.Play().Failed())
        Messages::Show(QStringLiteral("Play Error"));
}

void CWords::OnCorrectWord()
{
    const std::optional<std::pair<QString, int>> listed = CurrentListedWord();
    if (!listed)
        return;
    m_correcting = listed;
    m_nCorrectingRow = m_pList->currentRow();
    m_strWord = listed->first;
    m_strSentence.clear();
    m_steps.Reset();
    ApplySteps();
    WriteControls();
    m_pAdd->setText(QStringLiteral("Replace Word"));
    Focus(m_pWordEdit);
}

void CWords::EndCorrecting()
{
    m_correcting.reset();
    m_nCorrectingRow = -1;
    m_pAdd->setText(QStringLiteral("Add Word To List"));
}

void CWords::ReplaceCorrectedWord()
{
    COrthexDoc& doc = GetDocument();
    m_player.Unload();
    QFile file;
    if (QString why; !BoundedFile::Open(file, TempWavPath(), &why)) {
        Messages::Show(why);
        return;
    }
    const QByteArray sound = file.read(RecordingCheck::kMaxBytes + 1);
    if (const QString why = RecordingCheck::UnplayableReason(sound); !why.isEmpty()) {
        Messages::Show(CNewWordRow::UnplayableMessage(TempWavPath(), why));
        return;
    }
    if (!ListedWord::Replace(*doc.List(), m_correcting->first, m_correcting->second, m_strWord, sound)) {
        ReloadList();
        OnNewWord();
        return;
    }
    if (QListWidgetItem* item = m_pList->item(m_nCorrectingRow))
        item->setText(m_strWord);
    const int row = m_nCorrectingRow;
    OnNewWord();
    SelectOnly(row);
}
