#pragma once

#include "sound/soundresult.h"
#include "sound/wavformat.h"

#include <QAudioDevice>
#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class QAudioSource;
class CCaptureBuffer;
class CNotificationEvent;
class CNotificationWorker;
class CWavFile;

// Records the microphone into a WAV file. Each page that records owns one. All calls come from
// the thread with the event loop (the user-interface thread); while recording, a worker thread
// copies the captured sound into the file in whole notify-size pieces.
//
// InitCaptureDevice, SetCaptureFormat(rate index); then for each recording
// OpenCaptureFile(path), CreateCaptureBuffer(GetCaptureFormat()), StartCapture(), and later
// StopRecording().
class CSoundRecorder
{
public:
    // Finds the platform device for the chosen capture device (an empty id: the default
    // input). Nothing when there is none. Replaceable so that tests can force a failure.
    using CaptureDeviceLookup = std::function<std::optional<QAudioDevice>(const QByteArray& chosenId)>;

    CSoundRecorder();
    ~CSoundRecorder();
    CSoundRecorder(const CSoundRecorder&) = delete;
    CSoundRecorder& operator=(const CSoundRecorder&) = delete;

    // --- Capture device (process-wide) ---
    // Offers the system's input devices to the capture-device choice (the first described
    // as "Microphone" among the first 20; it stays chosen for the rest of the run).
    static void EnumerateCaptureDevices();
    // Description of the chosen device; empty when none was chosen (the default input).
    static QString GetCaptureDeviceName();
    // Identifier (PulseAudio source name) of the chosen device; empty when none was chosen.
    static QByteArray GetCaptureDeviceId();
    // Replaces how the capture device is found; an empty function restores the default.
    static void SetCaptureDeviceLookup(CaptureDeviceLookup lookup);

    // --- Recording ---
    // Forgets buffer, sizes and writer, and takes the chosen device (or the default input).
    // When there is no such device: says the sound server offers no input device and returns
    // NoDevice; the caller can go on without recording.
    SoundResult InitCaptureDevice();
    // Stores the rate index, builds its format and makes a first capture buffer; on failure
    // shows "CreateCaptureBuffer formats". Always true.
    bool SetCaptureFormat(int rateIndex);
    // Makes a new capture buffer (16 notify sizes) for the format, with a new worker. Shows
    // "CreateCaptureBuffer" (BadFormat, NotReady) or "InitNotifications".
    SoundResult CreateCaptureBuffer(const CWaveFormat& format);
    // Starts the worker for the current capture buffer. NotReady without a capture buffer.
    SoundResult InitNotifications();
    // Opens a new WAV writer for the path with the capture buffer's format. When the file
    // cannot be created shows "Can not create wav file -- Open"; the writer's writes then
    // fail. Always true.
    bool OpenCaptureFile(const QString& path);
    // Starts capturing into the capture buffer. NotReady without a buffer, DeviceStopped when
    // the device does not start.
    SoundResult StartCapture();
    // Writes the captured sound, in whole notify-size pieces, to the file; nothing without a
    // buffer, a writer or a whole piece. Shows "GetCurrentPosition" when the capture failed
    // (DeviceStopped), "Write" when the file write failed (Failed).
    SoundResult RecordCapturedData();
    // Stops the capture and the worker, writes what is left in whole pieces and closes the
    // file. False without a capture buffer; shows "RecordCapturedData" when that last write
    // failed and "Write" when the file could not be completed.
    bool StopRecording();

    int GetRateIndex() const { return m_nRateIndex; }
    const CWaveFormat& GetCaptureFormat() const { return m_wfxInput; }
    quint32 GetNotifySize() const { return m_dwNotifySize; }
    quint32 GetCaptureBufferSize() const { return m_dwCaptureBufferSize; }
    bool HasCaptureBuffer() const { return m_pCaptureBuffer != nullptr; }
    bool IsCapturing() const;
    // Bytes the capture had to drop because the buffer was full of unwritten sound.
    qint64 GetDroppedBytes() const;

private:
    void ReleaseCaptureBuffer();
    void EndWorker();

    QString m_strCaptureFile;
    int m_nRateIndex = 2;

    std::optional<QAudioDevice> m_captureDevice;
    std::unique_ptr<CNotificationEvent> m_pNotificationEvent;
    std::unique_ptr<CCaptureBuffer> m_pCaptureBuffer;
    std::unique_ptr<QAudioSource> m_pSource;
    std::unique_ptr<CNotificationWorker> m_pNotifyThread;
    std::atomic<bool> m_bCaptureFailed{false};
    CWaveFormat m_wfxInput;
    CWaveFormat m_wfxBuffer;    // format of the current capture buffer
    quint32 m_dwCaptureBufferSize = 0;
    quint32 m_dwNextCaptureOffset = 0;
    quint32 m_dwNotifySize = 0;

    // Held by every drain and by whoever replaces the writer, so the worker's drains and the
    // final drain never overlap.
    std::mutex m_drainMutex;
    std::unique_ptr<CWavFile> m_pWaveFile;
};
