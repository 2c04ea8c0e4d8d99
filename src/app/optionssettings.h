#pragma once

#include "sound/speechsynthesizer.h"

#include <QString>

class CAppFolders;
class CAppSettings;

// The values the options page edits.
struct COptionsValues {
    QString userFolder;
    bool autoLogIn = false;
    bool randomize = false;
    bool repeat = false;
    int rate = 0;  // recording-rate index 0..4; -1 when no rate is chosen
    bool autoPlay = false;  // the test page plays each word as it is asked
    QString voice;          // voice identifier (Flite or espeak-ng) of the speech on the words page
    int speechRate = CSpeechSynthesizer::kDefaultRate;  // words per minute
    bool largerText = false;          // the test page's text is larger
    bool enterSpeaksAndAdds = false;  // Enter in the words page's word box speaks and adds the word
};

// Reads the stored settings into the options page's values and writes back only what the user
// changed. Nothing is written merely because a default was read.
class COptionsSettings
{
public:
    static constexpr int kRateCount = 5;

    COptionsSettings(CAppSettings& settings, CAppFolders& folders);

    // The stored values; the automatic log-in box is read only when a user is logged in (it
    // keeps its value otherwise, and the page disables it).
    void Load(COptionsValues& values, const QString& currentUser) const;

    // Writes the values that differ from the store. A changed rate shows the message that it
    // takes effect at the next start. Returns whether anything was written.
    bool Apply(const COptionsValues& values, const QString& currentUser);

private:
    CAppSettings& m_settings;
    CAppFolders& m_folders;
};
