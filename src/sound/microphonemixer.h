#pragma once

#include "sound/pulseconnection.h"

#include <QByteArray>
#include <QString>

#include <memory>

// The recording level of the capture device. The "mixer devices" are the PulseAudio sources:
// the one taken is the source named like the capture device's identifier (for the default
// device, the server's default source); only when no source has that name, the first source
// whose description occurs in the capture device's name. A sink's monitor is never taken. The
// source's volume is its one volume control, 0 .. PA_VOLUME_NORM (0 % .. 100 %).
class CMicrophoneMixer
{
public:
    static constexpr quint32 kVolumeControlId = 1;  // the source's volume, its only control

    // Mixer error codes, as the messages and GetMicVolume's small codes know them.
    enum MixerError : quint32 {
        kNoError = 0,
        kBadDeviceId = 2,
        kInvalidHandle = 5,
        kNoDriver = 6,
        kInvalidFlag = 10,
        kInvalidParameter = 11,
        kInvalidLine = 1024,
        kInvalidControl = 1025,
    };

    CMicrophoneMixer();
    ~CMicrophoneMixer();
    CMicrophoneMixer(const CMicrophoneMixer&) = delete;
    CMicrophoneMixer& operator=(const CMicrophoneMixer&) = delete;

    // Finds the capture device's source, opens it and finds its volume. `captureDeviceName`
    // is CSoundRecorder::GetCaptureDeviceName(), `captureDeviceId` GetCaptureDeviceId()
    // (both empty for the default device). Always true.
    bool OpenForDevice(const QString& captureDeviceName, const QByteArray& captureDeviceId = {});
    // Lists the sources and returns the index (in that listing) of the one to take; -1 when
    // none qualifies.
    int FindMixerDevice();
    // Closes any open source and opens the one at that index of the last listing. Shows
    // "Can't query the new mixer device." or "Can't open the new mixer device." on failure.
    bool OpenMixer(int deviceIndex);
    // Finds the open source's volume control. Shows "Error retreiving info upon currently
    // open Mixer" when the source cannot be read.
    bool FindVolumeControl();
    // The source's volume (the average of its channels). When it cannot be read, a small code:
    // 2, 6, 4 (invalid handle), 3 (invalid flag), 5 (invalid parameter), 1 (invalid control)
    // or 0. Without an open source and control shows "Error 7, GetMicVolume, H %d, ID %d"
    // and returns 7.
    quint32 GetMicVolume();
    // Sets every channel of the source to the value. False without an open source or when the
    // server refused.
    bool SetMicVolume(quint32 value);
    void Close();

    bool IsOpen() const { return m_hMixer != 0; }
    // The volume control's range: 0 .. PA_VOLUME_NORM when found, 0 .. 0 otherwise.
    quint32 GetMinimum() const { return 0; }
    quint32 GetMaximum() const { return m_dwVolumeControlID != 0 ? m_dwMaximum : 0; }
    quint32 GetControlId() const { return m_dwVolumeControlID; }
    // The handle: 1 + the PulseAudio index of the open source, 0 when closed.
    quint32 GetHandle() const { return m_hMixer; }
    QByteArray GetSourceName() const { return m_source.name; }
    QString GetSourceDescription() const { return m_source.description; }

    // What the PulseAudio error of a failed request means as a mixer error.
    static MixerError FromPulseError(int paError, bool controlRequest);
    // The message texts of the mixer errors (empty for codes without one).
    static QString DeviceErrorText(quint32 code);
    static QString LineErrorText(quint32 code, bool controlQuery);

private:
    QString m_strCaptureDeviceName;
    QByteArray m_strCaptureDeviceId;
    QList<CPulseConnection::Source> m_sources;   // the last listing
    std::unique_ptr<CPulseConnection> m_pConnection;
    quint32 m_hMixer = 0;
    CPulseConnection::Source m_source;
    quint32 m_dwVolumeControlID = 0;
    quint32 m_dwMaximum = 0;
};
