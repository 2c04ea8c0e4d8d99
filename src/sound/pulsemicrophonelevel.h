#pragma once

#include "sound/microphonelevel.h"
#include "sound/pulseconnection.h"

#include <QList>

#include <memory>
#include <optional>

// The microphone level on Linux: the volume of a PulseAudio source. The one taken is the
// source named like the capture device's identifier (for the default device, the server's
// default source); only when no source has that name, the first source whose description
// occurs in the capture device's name. A sink's monitor is never taken. Its level is the
// average of its channels, 0 .. PA_VOLUME_NORM (0 % .. 100 %).
class CPulseMicrophoneLevel : public IMicrophoneLevel
{
public:
    CPulseMicrophoneLevel();
    ~CPulseMicrophoneLevel() override;
    CPulseMicrophoneLevel(const CPulseMicrophoneLevel&) = delete;
    CPulseMicrophoneLevel& operator=(const CPulseMicrophoneLevel&) = delete;

    bool Open(const QString& captureDeviceName, const QByteArray& captureDeviceId = {}) override;
    bool IsOpen() const override { return m_bOpen; }
    quint32 Maximum() const override;
    std::optional<quint32> Volume() override;
    bool SetVolume(quint32 volume) override;
    void Close() override;

    // Lists the sources and returns the index (in that listing) of the capture device's; nothing
    // when none qualifies. Says why when the server did not list them.
    std::optional<int> FindSource();
    // Closes any open source and opens the one at that index of the last listing, reading its
    // volume. Says why when that fails.
    bool OpenSource(int index);

    QByteArray SourceName() const { return m_source.name; }
    QString SourceDescription() const { return m_source.description; }

private:
    QString m_strCaptureDeviceName;
    QByteArray m_strCaptureDeviceId;
    QList<CPulseConnection::Source> m_sources;   // the last listing
    std::unique_ptr<CPulseConnection> m_pConnection;
    CPulseConnection::Source m_source;
    bool m_bOpen = false;
};
