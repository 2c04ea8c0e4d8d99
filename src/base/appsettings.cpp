#include "base/appsettings.h"

#include "base/speechdefaults.h"

#include <QSettings>

namespace {
const QString kGroup = QStringLiteral("Settings");
const QString kRecentGroup = QStringLiteral("Recent File List");
const QString kWindowGeometry = QStringLiteral("Window/Geometry");

QString key(const QString& name)
{
    return kGroup + QLatin1Char('/') + name;
}
}  // namespace

CAppSettings::CAppSettings()
    : m_store(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                          QStringLiteral("Vellomar"), QStringLiteral("Orthex")))
{
}

CAppSettings::~CAppSettings() = default;

QString CAppSettings::GetString(const QString& name, const QString& defaultValue) const
{
    m_store->sync();  // another copy of the program may have written it meanwhile
    return m_store->value(key(name), defaultValue).toString();
}

bool CAppSettings::WriteString(const QString& name, const QString& value)
{
    if (!m_store->isWritable())
        return false;
    m_store->setValue(key(name), value);
    return Commit();
}

int CAppSettings::GetInt(const QString& name, int defaultValue) const
{
    m_store->sync();
    bool ok = false;
    const int value = m_store->value(key(name), defaultValue).toInt(&ok);
    return ok ? value : defaultValue;
}

bool CAppSettings::WriteInt(const QString& name, int value)
{
    if (!m_store->isWritable())
        return false;
    m_store->setValue(key(name), value);
    return Commit();
}

bool CAppSettings::Commit()
{
    m_store->sync();
    return m_store->status() == QSettings::NoError;
}

QString CAppSettings::AutoLogInName() const { return GetString(QStringLiteral("Auto")); }
bool CAppSettings::SetAutoLogInName(const QString& name) { return WriteString(QStringLiteral("Auto"), name); }

QString CAppSettings::DefaultUserFolderValue() const { return GetString(QStringLiteral("DefaultUserFolder")); }
bool CAppSettings::SetDefaultUserFolderValue(const QString& path)
{
    return WriteString(QStringLiteral("DefaultUserFolder"), path);
}

QString CAppSettings::SaveFolderValue() const { return GetString(QStringLiteral("SaveFolder")); }
bool CAppSettings::SetSaveFolderValue(const QString& path) { return WriteString(QStringLiteral("SaveFolder"), path); }

int CAppSettings::RandomizeList() const { return GetInt(QStringLiteral("Randomize List"), 0); }
bool CAppSettings::SetRandomizeList(int value) { return WriteInt(QStringLiteral("Randomize List"), value); }

int CAppSettings::Repeat() const { return GetInt(QStringLiteral("Repeat"), 0); }
bool CAppSettings::SetRepeat(int value) { return WriteInt(QStringLiteral("Repeat"), value); }

int CAppSettings::Rate() const { return GetInt(QStringLiteral("Rate"), 2); }
bool CAppSettings::SetRate(int value) { return WriteInt(QStringLiteral("Rate"), value); }

QString CAppSettings::Voice() const { return GetString(QStringLiteral("Voice"), QString::fromUtf16(SpeechDefaults::kVoice)); }
bool CAppSettings::SetVoice(const QString& voiceId) { return WriteString(QStringLiteral("Voice"), voiceId); }

int CAppSettings::SpeechRate() const { return GetInt(QStringLiteral("SpeechRate"), SpeechDefaults::kRate); }
bool CAppSettings::SetSpeechRate(int wordsPerMinute) { return WriteInt(QStringLiteral("SpeechRate"), wordsPerMinute); }

int CAppSettings::AutoPlay() const { return GetInt(QStringLiteral("AutoPlay"), 0); }
bool CAppSettings::SetAutoPlay(int value) { return WriteInt(QStringLiteral("AutoPlay"), value); }

int CAppSettings::LargerText() const { return GetInt(QStringLiteral("LargerText"), 0); }
bool CAppSettings::SetLargerText(int value) { return WriteInt(QStringLiteral("LargerText"), value); }

int CAppSettings::EnterSpeaksAndAdds() const { return GetInt(QStringLiteral("EnterSpeaksAndAdds"), 0); }
bool CAppSettings::SetEnterSpeaksAndAdds(int value) { return WriteInt(QStringLiteral("EnterSpeaksAndAdds"), value); }

QByteArray CAppSettings::WindowGeometry() const
{
    m_store->sync();
    return m_store->value(kWindowGeometry).toByteArray();
}

bool CAppSettings::SetWindowGeometry(const QByteArray& geometry)
{
    if (!m_store->isWritable())
        return false;
    m_store->setValue(kWindowGeometry, geometry);
    return Commit();
}

int CAppSettings::PreviewPages() const { return GetInt(QStringLiteral("PreviewPages"), 0); }
bool CAppSettings::SetPreviewPages(int value) { return WriteInt(QStringLiteral("PreviewPages"), value); }

QStringList CAppSettings::RecentFiles() const
{
    m_store->sync();
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file =
            m_store->value(kRecentGroup + QStringLiteral("/File%1").arg(i)).toString();
        if (!file.isEmpty())
            files << file;
    }
    return files;
}

bool CAppSettings::SetRecentFiles(const QStringList& files)
{
    if (!m_store->isWritable())
        return false;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString name = kRecentGroup + QStringLiteral("/File%1").arg(i);
        if (i <= files.size())
            m_store->setValue(name, files.at(i - 1));
        else
            m_store->remove(name);
    }
    return Commit();
}
