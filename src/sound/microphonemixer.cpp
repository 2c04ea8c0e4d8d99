#include "sound/microphonemixer.h"

#include "app/messages.h"

#include <pulse/def.h>
#include <pulse/error.h>
#include <pulse/volume.h>

// How PulseAudio's failures map onto the mixer's error codes (and so onto its messages):
//   listing the sources fails (PA_ERR_*)         -> device-capabilities text of FromPulseError
//   no server answers while listing               -> no mixer devices at all (no message)
//   the chosen index is not in the listing        -> "Can't query the new mixer device."
//   no connection can be made to open the source  -> "Can't open the new mixer device."
//   the open source cannot be read                -> "Error retreiving info upon currently open Mixer"
//   reading the volume fails                      -> GetMicVolume's small code of FromPulseError:
//       PA_ERR_NOENTITY (source gone)             -> 1025 invalid control -> 1
//       PA_ERR_CONNECTIONTERMINATED, _BADSTATE,
//       _CONNECTIONREFUSED, _KILLED               -> 5 invalid handle     -> 4
//       PA_ERR_TIMEOUT                            -> 6 no driver          -> 6
//       PA_ERR_INVALID                            -> 11 invalid parameter -> 5
//       PA_ERR_NOTSUPPORTED                       -> 10 invalid flag      -> 3
//       anything else                             -> 0
CMicrophoneMixer::MixerError CMicrophoneMixer::FromPulseError(int paError, bool controlRequest)
{
    switch (paError) {
    case 0: return kNoError;
    case PA_ERR_NOENTITY: return controlRequest ? kInvalidControl : kBadDeviceId;
    case PA_ERR_CONNECTIONTERMINATED:
    case PA_ERR_BADSTATE:
    case PA_ERR_CONNECTIONREFUSED:
    case PA_ERR_KILLED: return kInvalidHandle;
    case PA_ERR_TIMEOUT: return kNoDriver;
    case PA_ERR_INVALID: return kInvalidParameter;
    case PA_ERR_NOTSUPPORTED: return kInvalidFlag;
    default: return static_cast<MixerError>(paError + 2000);  // no mixer equivalent
    }
}

QString CMicrophoneMixer::DeviceErrorText(quint32 code)
{
    switch (code) {
    case kBadDeviceId: return QStringLiteral(" The specified device identifier is out of range.");
    case kInvalidHandle: return QStringLiteral(" The mixer device handle is invalid.");
    case kInvalidParameter: return QStringLiteral(" One or more parameters are invalid.");
    default: return QString();
    }
}

QString CMicrophoneMixer::LineErrorText(quint32 code, bool controlQuery)
{
    switch (code) {
    case kBadDeviceId: return QStringLiteral(" The hmxobj parameter specifies an invalid device identifier.");
    case kInvalidHandle: return QStringLiteral(" The hmxobj parameter specifies an invalid handle.");
    case kNoDriver: return QStringLiteral(" No mixer device is available for the object specified by hmxobj.");
    case kInvalidFlag: return QStringLiteral(" One or more flags are invalid.");
    case kInvalidParameter: return QStringLiteral(" One or more parameters are invalid.");
    case kInvalidLine: return QStringLiteral(" The audio line reference is invalid.");
    case kInvalidControl:
        return controlQuery ? QStringLiteral(" The control reference is invalid.") : QString();
    default: return QString();
    }
}

CMicrophoneMixer::CMicrophoneMixer() = default;

CMicrophoneMixer::~CMicrophoneMixer()
{
    Close();
}

bool CMicrophoneMixer::OpenForDevice(const QString& captureDeviceName, const QByteArray& captureDeviceId)
{
    m_strCaptureDeviceName = captureDeviceName;
    m_strCaptureDeviceId = captureDeviceId;
    Close();
    const int index = FindMixerDevice();
    if (index >= 0 && OpenMixer(index))
        FindVolumeControl();
    return true;
}

int CMicrophoneMixer::FindMixerDevice()
{
    m_sources.clear();
    CPulseConnection connection;
    if (!connection.Connect())
        return -1;  // no server: no mixer devices
    const std::optional<QList<CPulseConnection::Source>> sources = connection.Sources();
    if (!sources) {
        const QString text = DeviceErrorText(FromPulseError(connection.LastError(), false));
        Messages::Show(text);
        return -1;
    }
    m_sources = *sources;

    QByteArray wanted = m_strCaptureDeviceId;
    if (wanted.isEmpty() && m_strCaptureDeviceName.isEmpty())
        wanted = connection.DefaultSourceName().value_or(QByteArray());
    if (!wanted.isEmpty()) {
        for (int i = 0; i < m_sources.size(); ++i)
            if (m_sources[i].name == wanted)
                return m_sources[i].isMonitor ? -1 : i;
    }
    if (m_strCaptureDeviceName.isEmpty())
        return -1;
    for (int i = 0; i < m_sources.size(); ++i) {
        const CPulseConnection::Source& s = m_sources[i];
        if (!s.isMonitor && !s.description.isEmpty()
            && m_strCaptureDeviceName.contains(s.description, Qt::CaseSensitive))
            return i;
    }
    return -1;
}

bool CMicrophoneMixer::OpenMixer(int deviceIndex)
{
    Close();
    if (deviceIndex < 0 || deviceIndex >= m_sources.size()) {
        Messages::Show(QStringLiteral("Can't query the new mixer device."));
        return false;
    }
    auto connection = std::make_unique<CPulseConnection>();
    if (!connection->Connect()) {
        Messages::Show(QStringLiteral("Can't open the new mixer device."));
        return false;
    }
    m_pConnection = std::move(connection);
    m_source = m_sources[deviceIndex];
    m_hMixer = m_source.index + 1;
    return true;
}

bool CMicrophoneMixer::FindVolumeControl()
{
    if (!m_pConnection)
        return false;
    const std::optional<CPulseConnection::Source> source = m_pConnection->SourceByName(m_source.name);
    if (!source) {
        Messages::Show(QStringLiteral("Error retreiving info upon currently open Mixer"));
        return false;
    }
    m_source = *source;
    if (m_source.channels == 0)
        return false;
    m_dwVolumeControlID = kVolumeControlId;
    m_dwMaximum = PA_VOLUME_NORM;
    return true;
}

quint32 CMicrophoneMixer::GetMicVolume()
{
    if (!m_pConnection || m_hMixer == 0 || m_dwVolumeControlID == 0) {
        Messages::Show(QString::asprintf("Error 7, GetMicVolume, H %d, ID %d",
                                         static_cast<int>(m_hMixer), static_cast<int>(m_dwVolumeControlID)));
        return 7;
    }
    const std::optional<CPulseConnection::Source> source = m_pConnection->SourceByName(m_source.name);
    if (source)
        return source->averageVolume;
    switch (FromPulseError(m_pConnection->LastError(), true)) {
    case kBadDeviceId: return 2;
    case kNoDriver: return 6;
    case kInvalidHandle: return 4;
    case kInvalidFlag: return 3;
    case kInvalidParameter: return 5;
    case kInvalidControl: return 1;
    default: return 0;
    }
}

bool CMicrophoneMixer::SetMicVolume(quint32 value)
{
    if (!m_pConnection || m_hMixer == 0)
        return false;
    return m_pConnection->SetSourceVolume(m_source.name, m_source.channels, value);
}

void CMicrophoneMixer::Close()
{
    m_pConnection.reset();
    m_hMixer = 0;
    m_dwVolumeControlID = 0;
    m_dwMaximum = 0;
    m_source = {};
}
