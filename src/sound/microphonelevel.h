#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

// The recording level of the capture device as the sound system keeps it, from 0 (silent) to
// Maximum() (the sound as the device gives it). Each platform implements it in a file of its
// own; on Linux it is the volume of the capture device's PulseAudio source
// (pulsemicrophonelevel.cpp), which PipeWire serves too.
class IMicrophoneLevel
{
public:
    virtual ~IMicrophoneLevel() = default;

    // Finds the level of the capture device: `captureDeviceName` is
    // CSoundRecorder::GetCaptureDeviceName(), `captureDeviceId` GetCaptureDeviceId() (both empty
    // for the default input). True when its level can be read and set.
    virtual bool Open(const QString& captureDeviceName, const QByteArray& captureDeviceId = {}) = 0;
    virtual bool IsOpen() const = 0;
    // The highest level; 0 while none is open.
    virtual quint32 Maximum() const = 0;
    // The level now; nothing when it cannot be read, after saying so when none is open.
    virtual std::optional<quint32> Volume() = 0;
    // Sets the level; false when none is open or the sound system refused.
    virtual bool SetVolume(quint32 volume) = 0;
    virtual void Close() = 0;

    // The level of this platform's sound system, not open yet.
    static std::unique_ptr<IMicrophoneLevel> Create();
};
