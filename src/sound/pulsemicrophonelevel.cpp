#include "sound/pulsemicrophonelevel.h"

#include "base/messages.h"

#include <pulse/error.h>
#include <pulse/volume.h>

namespace {
QString deviceShown(const QString& name)
{
    return name.isEmpty() ? QStringLiteral("the default input") : QStringLiteral("\"%1\"").arg(name);
}
}  // namespace

std::unique_ptr<IMicrophoneLevel> IMicrophoneLevel::Create()
{
    return std::make_unique<CPulseMicrophoneLevel>();
}

CPulseMicrophoneLevel::CPulseMicrophoneLevel() = default;

CPulseMicrophoneLevel::~CPulseMicrophoneLevel()
{
    Close();
}

bool CPulseMicrophoneLevel::Open(const QString& captureDeviceName, const QByteArray& captureDeviceId)
{
    m_strCaptureDeviceName = captureDeviceName;
    m_strCaptureDeviceId = captureDeviceId;
    Close();
    const std::optional<int> index = FindSource();
    return index && OpenSource(*index);
}

std::optional<int> CPulseMicrophoneLevel::FindSource()
{
    m_sources.clear();
    CPulseConnection connection;
    if (!connection.Connect())
        return std::nullopt;  // no server answers: there is no level to find
    const std::optional<QList<CPulseConnection::Source>> sources = connection.Sources();
    if (!sources) {
        Messages::Show(QStringLiteral("The sound server (PulseAudio or PipeWire) did not list its input devices: %1.")
                           .arg(QString::fromUtf8(pa_strerror(connection.LastError()))));
        return std::nullopt;
    }
    m_sources = *sources;

    QByteArray wanted = m_strCaptureDeviceId;
    if (wanted.isEmpty() && m_strCaptureDeviceName.isEmpty())
        wanted = connection.DefaultSourceName().value_or(QByteArray());
    if (!wanted.isEmpty()) {
        for (int i = 0; i < m_sources.size(); ++i)
            if (m_sources[i].name == wanted)
                return m_sources[i].isMonitor ? std::nullopt : std::optional<int>(i);
    }
    if (m_strCaptureDeviceName.isEmpty())
        return std::nullopt;
    for (int i = 0; i < m_sources.size(); ++i) {
        const CPulseConnection::Source& s = m_sources[i];
        if (!s.isMonitor && !s.description.isEmpty()
            && m_strCaptureDeviceName.contains(s.description, Qt::CaseSensitive))
            return i;
    }
    return std::nullopt;
}

bool CPulseMicrophoneLevel::OpenSource(int index)
{
    Close();
    if (index < 0 || index >= m_sources.size()) {
        Messages::Show(QStringLiteral("The sound server (PulseAudio or PipeWire) has no such input device."));
        return false;
    }
    auto connection = std::make_unique<CPulseConnection>();
    if (!connection->Connect()) {
        Messages::Show(QStringLiteral("The microphone level cannot be set: the sound server (PulseAudio or PipeWire) "
                                      "did not answer."));
        return false;
    }
    const std::optional<CPulseConnection::Source> source = connection->SourceByName(m_sources[index].name);
    if (!source) {
        const CPulseConnection::Source& listed = m_sources[index];
        Messages::Show(QStringLiteral("The sound server (PulseAudio or PipeWire) did not tell the level of the input "
                                      "device \"%1\".")
                           .arg(listed.description.isEmpty() ? QString::fromUtf8(listed.name) : listed.description));
        return false;
    }
    if (source->channels == 0)
        return false;
    m_pConnection = std::move(connection);
    m_source = *source;
    m_bOpen = true;
    return true;
}

quint32 CPulseMicrophoneLevel::Maximum() const
{
    return m_bOpen ? PA_VOLUME_NORM : 0;
}

std::optional<quint32> CPulseMicrophoneLevel::Volume()
{
    if (!m_bOpen) {
        Messages::Show(QStringLiteral("The microphone level cannot be read: the sound server (PulseAudio or PipeWire) "
                                      "has no input device for %1.")
                           .arg(deviceShown(m_strCaptureDeviceName)));
        return std::nullopt;
    }
    const std::optional<CPulseConnection::Source> source = m_pConnection->SourceByName(m_source.name);
    if (!source)
        return std::nullopt;
    return source->averageVolume;
}

bool CPulseMicrophoneLevel::SetVolume(quint32 volume)
{
    if (!m_bOpen)
        return false;
    return m_pConnection->SetSourceVolume(m_source.name, m_source.channels, volume);
}

void CPulseMicrophoneLevel::Close()
{
    m_pConnection.reset();
    m_source = {};
    m_bOpen = false;
}
