#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

// The one place where Orthex's settings are read and written: the "Settings" group, the
// "Recent File List" and the main window's "Window" group of the user's store (HKCU\Software\Vellomar\Orthex on Windows,
// ~/.config/Vellomar/Orthex.conf here). Every value is read with its default on each use and
// written only by its setter, so reading never writes anything. Setters report whether the
// store accepted the write.
class CAppSettings
{
public:
    static constexpr int kRecentFileCount = 4;

    CAppSettings();
    ~CAppSettings();
    CAppSettings(const CAppSettings&) = delete;
    CAppSettings& operator=(const CAppSettings&) = delete;

    // Name of the user logged in automatically at start; empty shows the log-in dialog.
    QString AutoLogInName() const;
    bool SetAutoLogInName(const QString& name);

    // Raw folder values; empty means "use the default folder" (see CAppFolders).
    QString DefaultUserFolderValue() const;
    bool SetDefaultUserFolderValue(const QString& path);
    QString SaveFolderValue() const;
    bool SetSaveFolderValue(const QString& path);

    // "Randomize List" and "Repeat": 1 = on.
    int RandomizeList() const;
    bool SetRandomizeList(int value);
    int Repeat() const;
    bool SetRepeat(int value);

    // Recording-rate index 0..4 (48000, 44100, 22050, 11025, 8000 Hz).
    int Rate() const;
    bool SetRate(int value);

    // Speech for lists made without a microphone: the voice identifier, Flite's or espeak-ng's
    // ("Voice", default SpeechDefaults::kVoice) and the speaking rate in words per minute
    // ("SpeechRate", default SpeechDefaults::kRate).
    QString Voice() const;
    bool SetVoice(const QString& voiceId);
    int SpeechRate() const;
    bool SetSpeechRate(int wordsPerMinute);

    // "AutoPlay": 1 = the test page plays each word as soon as it is asked.
    int AutoPlay() const;
    bool SetAutoPlay(int value);

    // "LargerText": 1 = the test page's text is larger, for young children.
    int LargerText() const;
    bool SetLargerText(int value);

    // "EnterSpeaksAndAdds": 1 = Enter in the words page's word box speaks the word and adds it.
    int EnterSpeaksAndAdds() const;
    bool SetEnterSpeaksAndAdds(int value);

    int PreviewPages() const;
    bool SetPreviewPages(int value);

    // The four most recently used list files, newest first, without gaps.
    QStringList RecentFiles() const;
    bool SetRecentFiles(const QStringList& files);

    // The main window's size and place as QWidget::saveGeometry gives it; empty until the
    // program first ended.
    QByteArray WindowGeometry() const;
    bool SetWindowGeometry(const QByteArray& geometry);

    // Generic access to the "Settings" group, for values added by later features.
    QString GetString(const QString& name, const QString& defaultValue = QString()) const;
    bool WriteString(const QString& name, const QString& value);
    int GetInt(const QString& name, int defaultValue) const;
    bool WriteInt(const QString& name, int value);

private:
    bool Commit();

    std::unique_ptr<QSettings> m_store;
};
