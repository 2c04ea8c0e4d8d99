#include "app/optionssettings.h"

#include "base/appfolders.h"
#include "base/appsettings.h"
#include "base/messages.h"

COptionsSettings::COptionsSettings(CAppSettings& settings, CAppFolders& folders)
    : m_settings(settings)
    , m_folders(folders)
{
}

void COptionsSettings::Load(COptionsValues& values, const QString& currentUser) const
{
    values.userFolder = m_folders.GetDefaultUserFolder();
    values.randomize = m_settings.RandomizeList() != 0;
    values.repeat = m_settings.Repeat() != 0;
    const int rate = m_settings.Rate();
    values.rate = (rate >= 0 && rate < kRateCount) ? rate : -1;
    values.autoPlay = m_settings.AutoPlay() != 0;
    values.voice = m_settings.Voice();
    values.speechRate = m_settings.SpeechRate();
    values.largerText = m_settings.LargerText() != 0;
    values.enterSpeaksAndAdds = m_settings.EnterSpeaksAndAdds() != 0;
    if (!currentUser.isEmpty())
        values.autoLogIn = !m_folders.GetAutoLogInName().isEmpty();
}

bool COptionsSettings::Apply(const COptionsValues& values, const QString& currentUser)
{
    bool wrote = false;
    if (!values.userFolder.isEmpty() && values.userFolder != m_folders.GetDefaultUserFolder()) {
        // The user folder follows the write (SetDefaultUserFolder replaces it on success).
        m_folders.SetDefaultUserFolder(values.userFolder);
        wrote = true;
    }

    if (!currentUser.isEmpty()) {
        const bool stored = !m_folders.GetAutoLogInName().isEmpty();
        if (stored && !values.autoLogIn) {
            m_folders.SetAutoLogInName(QString());
            wrote = true;
        } else if (!stored && values.autoLogIn) {
            m_folders.SetAutoLogInName(currentUser);
            wrote = true;
        }
    }

    const int randomize = values.randomize ? 1 : 0;
    if (m_settings.RandomizeList() != randomize) {
        m_settings.SetRandomizeList(randomize);
        wrote = true;
    }
    const int repeat = values.repeat ? 1 : 0;
    if (m_settings.Repeat() != repeat) {
        m_settings.SetRepeat(repeat);
        wrote = true;
    }

    const int autoPlay = values.autoPlay ? 1 : 0;
    if (m_settings.AutoPlay() != autoPlay) {
        m_settings.SetAutoPlay(autoPlay);
        wrote = true;
    }
    const int largerText = values.largerText ? 1 : 0;
    if (m_settings.LargerText() != largerText) {
        m_settings.SetLargerText(largerText);
        wrote = true;
    }
    const int enterSpeaksAndAdds = values.enterSpeaksAndAdds ? 1 : 0;
    if (m_settings.EnterSpeaksAndAdds() != enterSpeaksAndAdds) {
        m_settings.SetEnterSpeaksAndAdds(enterSpeaksAndAdds);
        wrote = true;
    }
    if (!values.voice.isEmpty() && m_settings.Voice() != values.voice) {
        m_settings.SetVoice(values.voice);
        wrote = true;
    }
    if (m_settings.SpeechRate() != values.speechRate) {
        m_settings.SetSpeechRate(values.speechRate);
        wrote = true;
    }

    // With no rate chosen (a stored index out of range) the stored value is left alone.
    if (values.rate >= 0 && values.rate < kRateCount && m_settings.Rate() != values.rate) {
        m_settings.SetRate(values.rate);
        wrote = true;
        Messages::Show(QStringLiteral("The Recording Rate will not change until you restart Orthex."));
    }
    return wrote;
}
