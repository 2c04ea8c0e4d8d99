#include "app/options.h"
#include "users/teachergate.h"

#include "base/appfolders.h"
#include "widgets/browsefolder.h"
#include "widgets/dialogunits.h"
#include "base/messages.h"
#include "widgets/pagecontrols.h"
#include "document/orthexdoc.h"
#include "users/changepwdlg.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>

using namespace PageControls;

namespace {
bool runChangePasswordDialog(QWidget* parent, const QString& userFolder)
{
    CChangePWDlg dialog(parent);
    dialog.SetUserFolder(userFolder);
    return dialog.exec() == QDialog::Accepted;
}

COptions::ChangePasswordFunction& changePasswordFunction()
{
    static COptions::ChangePasswordFunction function;
    return function;
}

}  // namespace

COptions::ChangePasswordFunction COptions::SetChangePasswordFunction(ChangePasswordFunction function)
{
    ChangePasswordFunction previous = changePasswordFunction();
    changePasswordFunction() = std::move(function);
    return previous;
}

COptions::COptions(COrthexDoc& document, IPageCommandTarget& commands, CAppSettings& settings,
                   CAppFolders& folders, QWidget* parent)
    : CPageView(document, commands, parent, QSize(320, 253))
    , m_folders(folders)
    , m_options(settings, folders)
{
    setObjectName(QStringLiteral("optionsPage"));
    setAccessibleName(QStringLiteral("Options Page"));
    setFont(CDialogUnits::FormFont());
    const CDialogUnits du(font());

    QVBoxLayout* formLayout = ScrollingForm(this, QStringLiteral("options"), QStringLiteral("Options Page"));
    QWidget* form = formLayout->parentWidget();
    formLayout->setContentsMargins(du.X(7), du.Y(7), du.X(7), du.Y(5));
    formLayout->setSpacing(du.Y(4));

    // The folder's line takes the width the window gives.
    auto* folderGroup = new QGroupBox(QStringLiteral("Default User Folder"), form);
    m_pFolder = new QLineEdit(folderGroup);
    m_pFolder->setReadOnly(true);
    m_pFolder->setAccessibleName(QStringLiteral("Default User Folder"));
    m_pFolder->setWhatsThis(QStringLiteral("The folder that holds the users and their results."));
    m_pFolder->setMinimumWidth(du.X(100));
    m_pBrowse = FormButton(QStringLiteral("..."), QStringLiteral("Chooses another default user folder."), folderGroup);
    m_pBrowse->setAccessibleName(QStringLiteral("Choose Default User Folder"));
    m_pBrowse->setMinimumSize(du.Size(19, 14));
    auto* folderRow = new QHBoxLayout(folderGroup);
    folderRow->addWidget(m_pFolder, 1);
    folderRow->addSpacing(du.X(22));
    folderRow->addWidget(m_pBrowse);
    formLayout->addWidget(folderGroup);

    // The test options and the password buttons on the left, the recording rate on the right.
    m_pRepeat = Captioned<QCheckBox>(QStringLiteral("Repeat Until Guessed Word Right"),
                                     QStringLiteral("During a test, a misspelled word is asked again until it is right."),
                                     form);
    m_pAutoLogIn = Captioned<QCheckBox>(QStringLiteral("Log In Automatically"),
                                        QStringLiteral("Logs the current user in at the next start without the log-in dialog."),
                                        form);
    m_pRandomize = Captioned<QCheckBox>(QStringLiteral("Randomize Spelling List While Taking A Test"),
                                        QStringLiteral("During a test, the words are asked in a random order."), form);
    m_pAutoPlay = Captioned<QCheckBox>(QStringLiteral("Play each word automatically"),
                                       QStringLiteral("During a test, each word is played as soon as it is asked; "
                                                      "\"Listen to Word\" plays it again."),
                                       form);
    m_pChangePassword = FormButton(QStringLiteral("Change Log In Password"),
                                   QStringLiteral("Changes the password of a user."), form);
    m_pTeacherPassword = FormButton(QStringLiteral("Teacher Password"),
                                    QStringLiteral("Sets, changes or removes the teacher password of the user "
                                                   "folder, which deleting results, this page and the class overview "
                                                   "then ask for."),
                                    form);
    m_pChangePassword->setMinimumSize(du.Size(94, 14));
    m_pTeacherPassword->setMinimumSize(du.Size(66, 14));
    auto* testOptions = new QVBoxLayout;
    testOptions->setSpacing(du.Y(4));
    testOptions->addStretch(1);
    for (QCheckBox* box : {m_pRepeat, m_pAutoLogIn, m_pRandomize, m_pAutoPlay})
        testOptions->addWidget(box);
    testOptions->addStretch(1);
    auto* passwords = new QHBoxLayout;
    passwords->addWidget(m_pChangePassword);
    passwords->addWidget(m_pTeacherPassword);
    passwords->addStretch(1);
    testOptions->addLayout(passwords);

    auto* rateGroup = new QGroupBox(QStringLiteral("Recording Rate (Hz)"), form);
    m_pRates = new QButtonGroup(this);
    auto* rateGrid = new QGridLayout(rateGroup);
    rateGrid->setHorizontalSpacing(du.X(6));
    const char* rates[] = {"48,000", "44,100", "22,050", "11,025", "8,000"};
    for (int i = 0; i < COptionsSettings::kRateCount; ++i) {
        auto* radio = Captioned<QRadioButton>(QString::fromLatin1(rates[i]),
                                              QStringLiteral("Records new words at this rate."), rateGroup);
        radio->setAccessibleName(QString::fromLatin1(rates[i]) + QStringLiteral(" Hz"));
        m_pRates->addButton(radio, i);
        rateGrid->addWidget(radio, i, 0);
    }
    // The notes beside the rates they speak of, in a smaller type; they wrap in the width left.
    QFont noteFont = font();
    noteFont.setPointSize(font().pointSize() - 3);
    auto note = [&](const char* text, int row, int rows) {
        QLabel* label = WrappedText(QString::fromLatin1(text), rateGroup);
        label->setFont(noteFont);
        label->setMinimumWidth(du.X(45));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        rateGrid->addWidget(label, row, 1, rows, 1);
    };
    note("Slowest, Large File Size, but Best Quality", 0, 2);
    note("to", 2, 1);
    note("Fastest, Smallest File Size, but Lowest Quality", 3, 2);
    rateGrid->setColumnStretch(1, 1);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(du.X(6), 0, 0, 0);
    middle->setSpacing(du.X(8));
    middle->addLayout(testOptions, 3);
    middle->addWidget(rateGroup, 2);
    formLayout->addLayout(middle);

    // The speech that makes a word's recording on the words page without a microphone.
    auto* speechGroup = new QGroupBox(QStringLiteral("Speech"), form);
    m_pVoice = new QComboBox(speechGroup);
    m_pVoice->setAccessibleName(QStringLiteral("Voice"));
    m_pVoice->setWhatsThis(QStringLiteral("The voice that speaks a word on the Words page."));
    for (const CVoice& voice : CSpeechSynthesizer::EnglishVoices())
        m_pVoice->addItem(voice.name, voice.id);
    m_pVoice->setEnabled(m_pVoice->count() > 0);
    // Long voice names show whole in the open list; the box itself needs room for a short one.
    m_pVoice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pVoice->setMinimumContentsLength(16);
    auto* voiceLabel = new QLabel(QStringLiteral("Voice"), speechGroup);
    voiceLabel->setBuddy(m_pVoice);
    m_pSpeechRate = new QSpinBox(speechGroup);
    m_pSpeechRate->setRange(CSpeechSynthesizer::kMinRate, CSpeechSynthesizer::kMaxRate);
    m_pSpeechRate->setSingleStep(10);
    m_pSpeechRate->setAccessibleName(QStringLiteral("Words per minute"));
    m_pSpeechRate->setWhatsThis(QStringLiteral("How fast the voice speaks, in words per minute."));
    m_pSpeechRate->setMinimumWidth(du.X(46));
    auto* rateLabel = new QLabel(QStringLiteral("Words per minute"), speechGroup);
    rateLabel->setBuddy(m_pSpeechRate);
    auto* speechRow = new QHBoxLayout(speechGroup);
    speechRow->addWidget(voiceLabel);
    speechRow->addWidget(m_pVoice, 1);
    speechRow->addSpacing(du.X(10));
    speechRow->addWidget(rateLabel);
    speechRow->addWidget(m_pSpeechRate);
    formLayout->addWidget(speechGroup);

    m_pLargerText = Captioned<QCheckBox>(QStringLiteral("Larger text on the test page"),
                                         QStringLiteral("The Test page shows its text half as large again, for young "
                                                        "children; it changes when the page is next shown."),
                                         form);
    m_pEnterSpeaksAndAdds = Captioned<QCheckBox>(
        QStringLiteral("Enter in the word box speaks and adds the word"),
        QStringLiteral("On the Words page, Enter in the word box speaks the word typed and adds it to the list "
                       "in one step."),
        form);
    auto* pageOptions = new QVBoxLayout;
    pageOptions->setContentsMargins(du.X(6), 0, 0, 0);
    pageOptions->setSpacing(du.Y(3));
    pageOptions->addWidget(m_pLargerText);
    pageOptions->addWidget(m_pEnterSpeaksAndAdds);
    formLayout->addLayout(pageOptions);
    formLayout->addStretch(1);

    formLayout->addWidget(SunkenRule(form));
    m_pApply = FormButton(QStringLiteral("Apply"), QStringLiteral("Stores the options that were changed."), form);
    m_pRestore = FormButton(QStringLiteral("Restore"),
                            QStringLiteral("Shows the stored options again, undoing changes not applied."), form);
    m_pApply->setMinimumSize(du.Size(50, 14));
    m_pRestore->setMinimumSize(du.Size(50, 14));
    auto* applyRow = new QHBoxLayout;
    applyRow->addStretch(3);
    applyRow->addWidget(m_pApply);
    applyRow->addStretch(5);
    applyRow->addWidget(m_pRestore);
    applyRow->addStretch(3);
    formLayout->addLayout(applyRow);

    QWidget* order[] = {m_pFolder, m_pBrowse, m_pRepeat, m_pAutoLogIn, m_pRandomize, m_pAutoPlay,
                        m_pChangePassword, m_pTeacherPassword, m_pRates->button(0), m_pRates->button(1), m_pRates->button(2),
                        m_pRates->button(3), m_pRates->button(4), m_pVoice, m_pSpeechRate, m_pLargerText,
                        m_pEnterSpeaksAndAdds, m_pApply, m_pRestore};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_pBrowse, &QPushButton::clicked, this, &COptions::OnChooseFolder);
    connect(m_pChangePassword, &QPushButton::clicked, this, &COptions::OnChangePassword);
    connect(m_pTeacherPassword, &QPushButton::clicked, this,
            [this] { TeacherGate::Change(this, m_folders.UserFolder()); });
    connect(m_pApply, &QPushButton::clicked, this, &COptions::OnApply);
    connect(m_pRestore, &QPushButton::clicked, this, &COptions::OnRestore);
}

QRadioButton* COptions::RateButton(int index) const
{
    return qobject_cast<QRadioButton*>(m_pRates->button(index));
}

COptionsValues COptions::Values() const
{
    COptionsValues values = m_values;
    values.userFolder = m_pFolder->text();
    values.autoLogIn = m_pAutoLogIn->isChecked();
    values.randomize = m_pRandomize->isChecked();
    values.repeat = m_pRepeat->isChecked();
    values.rate = m_pRates->checkedId();
    values.autoPlay = m_pAutoPlay->isChecked();
    values.largerText = m_pLargerText->isChecked();
    values.enterSpeaksAndAdds = m_pEnterSpeaksAndAdds->isChecked();
    // A stored voice that is not installed shows as the default, and a stored rate out of range
    // as its nearest limit; they stay as stored until the user picks something else.
    if (m_pVoice->currentIndex() >= 0 && m_pVoice->currentIndex() != VoiceIndex(m_values.voice))
        values.voice = m_pVoice->currentData().toString();
    const int shownRate = std::clamp(m_values.speechRate, CSpeechSynthesizer::kMinRate, CSpeechSynthesizer::kMaxRate);
    if (m_pSpeechRate->value() != shownRate)
        values.speechRate = m_pSpeechRate->value();
    return values;
}

void COptions::SetValues(const COptionsValues& values)
{
    m_values = values;
    m_pFolder->setText(values.userFolder);
    m_pAutoLogIn->setChecked(values.autoLogIn);
    m_pRandomize->setChecked(values.randomize);
    m_pRepeat->setChecked(values.repeat);
    m_pAutoPlay->setChecked(values.autoPlay);
    m_pLargerText->setChecked(values.largerText);
    m_pEnterSpeaksAndAdds->setChecked(values.enterSpeaksAndAdds);
    m_pVoice->setCurrentIndex(VoiceIndex(values.voice));
    m_pSpeechRate->setValue(values.speechRate);
    if (QAbstractButton* rate = m_pRates->button(values.rate)) {
        rate->setChecked(true);
    } else {
        // A stored rate out of range: no button chosen.
        m_pRates->setExclusive(false);
        for (QAbstractButton* button : m_pRates->buttons())
            button->setChecked(false);
        m_pRates->setExclusive(true);
    }
}

int COptions::VoiceIndex(const QString& voiceId) const
{
    int index = m_pVoice->findData(voiceId);
    if (index < 0)
        index = m_pVoice->findData(CSpeechSynthesizer::kDefaultVoice);
    if (index < 0 && m_pVoice->count() > 0)
        index = 0;
    return index;
}

void COptions::OnUpdate()
{
    const QString user = GetDocument().CurrentUser();
    COptionsValues values = Values();
    m_options.Load(values, user);
    // Automatic log-in is for the logged-in user; with nobody logged in there is nobody to
    // log in automatically.
    m_pAutoLogIn->setEnabled(!user.isEmpty());
    SetValues(values);
}

void COptions::OnChooseFolder()
{
    COptionsValues values = Values();
    const QString chosen = CBrowseFolder(this).BrowseForFolder();
    if (!chosen.isEmpty() && chosen != m_pFolder->text()) {
        values.userFolder = chosen;
        SetValues(values);
    }
}

void COptions::OnApply()
{
    m_options.Apply(Values(), GetDocument().CurrentUser());
    GetDocument().UpdateAllViews();
}

void COptions::OnChangePassword()
{
    const ChangePasswordFunction& function = changePasswordFunction();
    const bool changed = function ? function(this, m_folders.UserFolder())
                                  : runChangePasswordDialog(this, m_folders.UserFolder());
    if (changed)
        Messages::Show(QStringLiteral("Password Changed."), MessageIcon::Information);
}
