#include "app/options.h"
#include "users/teachergate.h"

#include "base/appfolders.h"
#include "widgets/browsefolder.h"
#include "widgets/dialogunits.h"
#include "base/messages.h"
#include "widgets/pagecontrols.h"
#include "document/orthexdoc.h"
#include "users/changepwdlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
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
    : CPageView(document, commands, parent)
    , m_folders(folders)
    , m_options(settings, folders)
{
    setObjectName(QStringLiteral("optionsPage"));
    setAccessibleName(QStringLiteral("Options Page"));
    setFont(CDialogUnits::FormFont());
    const CDialogUnits du(font());

    du.Place(Title(QStringLiteral("Options Page"), this), 7, 7, 306, 11);
    du.Place(SunkenRule(this), 8, 18, 306, 1);

    auto* folderGroup = new QGroupBox(QStringLiteral("Default User Folder"), this);
    du.Place(folderGroup, 14, 25, 291, 29);
    m_pFolder = new QLineEdit(this);
    m_pFolder->setReadOnly(true);
    m_pFolder->setAccessibleName(QStringLiteral("Default User Folder"));
    m_pFolder->setWhatsThis(QStringLiteral("The folder that holds the users and their results."));
    du.Place(m_pFolder, 20, 36, 214, 14);
    m_pBrowse = FormButton(QStringLiteral("..."), QStringLiteral("Chooses another default user folder."), this);
    m_pBrowse->setAccessibleName(QStringLiteral("Choose Default User Folder"));
    du.Place(m_pBrowse, 260, 35, 19, 14);

    m_pRepeat = Captioned<QCheckBox>(QStringLiteral("Repeat Until Guessed Word Right"),
                                     QStringLiteral("During a test, a misspelled word is asked again until it is right."),
                                     this);
    du.Place(m_pRepeat, 20, 75, 148, 10);
    m_pAutoLogIn = Captioned<QCheckBox>(QStringLiteral("Log In Automatically"),
                                        QStringLiteral("Logs the current user in at the next start without the log-in dialog."),
                                        this);
    du.Place(m_pAutoLogIn, 20, 89, 89, 10);
    m_pRandomize = Captioned<QCheckBox>(QStringLiteral("Randomize Spelling List While Taking A Test"),
                                        QStringLiteral("During a test, the words are asked in a random order."), this);
    du.Place(m_pRandomize, 20, 101, 155, 13);
    m_pAutoPlay = Captioned<QCheckBox>(QStringLiteral("Play each word automatically"),
                                       QStringLiteral("During a test, each word is played as soon as it is asked; "
                                                      "\"Listen to Word\" plays it again."),
                                       this);
    du.Place(m_pAutoPlay, 20, 117, 155, 10);
    m_pChangePassword = FormButton(QStringLiteral("Change Log In Password"),
                                   QStringLiteral("Changes the password of a user."), this);
    du.Place(m_pChangePassword, 20, 138, 94, 14);
    m_pTeacherPassword = FormButton(QStringLiteral("Teacher Password"),
                                    QStringLiteral("Sets, changes or removes the teacher password of the user "
                                                   "folder, which deleting results, this page and the class overview "
                                                   "then ask for."),
                                    this);
    du.Place(m_pTeacherPassword, 118, 138, 66, 14);

    auto* rateGroup = new QGroupBox(QStringLiteral("Recording Rate (Hz)"), this);
    du.Place(rateGroup, 190, 63, 115, 98);
    m_pRates = new QButtonGroup(this);
    const char* rates[] = {"48,000", "44,100", "22,050", "11,025", "8,000"};
    const int rateTops[] = {79, 96, 113, 130, 147};
    for (int i = 0; i < COptionsSettings::kRateCount; ++i) {
        auto* radio = Captioned<QRadioButton>(QString::fromLatin1(rates[i]),
                                              QStringLiteral("Records new words at this rate."), this);
        radio->setAccessibleName(QString::fromLatin1(rates[i]) + QStringLiteral(" Hz"));
        m_pRates->addButton(radio, i);
        du.Place(radio, 200, rateTops[i], 34, 10);
    }
    // The rate notes wrap in their narrow width: a smaller type keeps them inside the group,
    // and a note still grows downwards when the font needs more lines.
    QFont noteFont = font();
    noteFont.setPointSize(font().pointSize() - 3);
    auto note = [&](const char* text, int left, int top, int width, int height) {
        QLabel* label = WrappedText(QString::fromLatin1(text), this);
        label->setFont(noteFont);
        du.Place(label, left, top, width, height);
        label->resize(label->width(), qMax(label->height(), label->heightForWidth(label->width())));
    };
    note("Slowest, Large File Size, but Best Quality", 249, 78, 48, 27);
    note("to", 249, 111, 51, 8);
    note("Fastest, Smallest File Size, but Lowest Quality", 249, 125, 45, 33);

    // The speech that makes a word's recording on the words page without a microphone.
    auto* speechGroup = new QGroupBox(QStringLiteral("Speech"), this);
    du.Place(speechGroup, 14, 165, 291, 30);
    m_pVoice = new QComboBox(this);
    m_pVoice->setAccessibleName(QStringLiteral("Voice"));
    m_pVoice->setWhatsThis(QStringLiteral("The voice that speaks a word on the Words page."));
    for (const CVoice& voice : CSpeechSynthesizer::EnglishVoices())
        m_pVoice->addItem(voice.name, voice.id);
    m_pVoice->setEnabled(m_pVoice->count() > 0);
    auto* voiceLabel = new QLabel(QStringLiteral("Voice"), this);
    voiceLabel->setBuddy(m_pVoice);
    voiceLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    du.Place(voiceLabel, 20, 177, 24, 14);
    du.Place(m_pVoice, 46, 177, 130, 14);
    m_pSpeechRate = new QSpinBox(this);
    m_pSpeechRate->setRange(CSpeechSynthesizer::kMinRate, CSpeechSynthesizer::kMaxRate);
    m_pSpeechRate->setSingleStep(10);
    m_pSpeechRate->setAccessibleName(QStringLiteral("Words per minute"));
    m_pSpeechRate->setWhatsThis(QStringLiteral("How fast the voice speaks, in words per minute."));
    auto* rateLabel = new QLabel(QStringLiteral("Words per minute"), this);
    rateLabel->setBuddy(m_pSpeechRate);
    rateLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    du.Place(rateLabel, 186, 177, 62, 14);
    du.Place(m_pSpeechRate, 250, 177, 46, 14);

    m_pLargerText = Captioned<QCheckBox>(QStringLiteral("Larger text on the test page"),
                                         QStringLiteral("The Test page shows its text half as large again, for young "
                                                        "children; it changes when the page is next shown."),
                                         this);
    du.Place(m_pLargerText, 20, 200, 200, 10);
    m_pEnterSpeaksAndAdds = Captioned<QCheckBox>(
        QStringLiteral("Enter in the word box speaks and adds the word"),
        QStringLiteral("On the Words page, Enter in the word box speaks the word typed and adds it to the list "
                       "in one step."),
        this);
    du.Place(m_pEnterSpeaksAndAdds, 20, 213, 200, 10);

    du.Place(SunkenRule(this), 7, 228, 306, 1);
    m_pApply = FormButton(QStringLiteral("Apply"), QStringLiteral("Stores the options that were changed."), this);
    du.Place(m_pApply, 60, 233, 50, 14);
    m_pRestore = FormButton(QStringLiteral("Restore"),
                            QStringLiteral("Shows the stored options again, undoing changes not applied."), this);
    du.Place(m_pRestore, 209, 233, 50, 14);

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

    setMinimumSize(du.Size(320, 253));
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
