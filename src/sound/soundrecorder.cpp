#include "sound/soundrecorder.h"

#include "base/messages.h"
#include "sound/audioformatmap.h"
#include "sound/capturebuffer.h"
#include "sound/capturedevicechoice.h"
#include "sound/captureformat.h"
#include "sound/notificationevent.h"
#include "sound/notificationworker.h"
#include "sound/wavfile.h"

#include <QAudioSource>
#include <QMediaDevices>

#include <vector>

namespace {
std::mutex g_lookupMutex;
CSoundRecorder::CaptureDeviceLookup g_lookup;

std::optional<QAudioDevice> defaultLookup(const QByteArray& chosenId)
{
    if (chosenId.isEmpty()) {
        QAudioDevice device = QMediaDevices::defaultAudioInput();
        if (device.isNull())
            return std::nullopt;
        return device;
    }
    for (const QAudioDevice& device : QMediaDevices::audioInputs())
        if (device.id() == chosenId)
            return device;
    return std::nullopt;
}

void show(const char* text)
{
    Messages::Show(QString::fromLatin1(text));
}
}  // namespace

CSoundRecorder::CSoundRecorder()
    : m_wfxInput(CaptureFormat::ForRateIndex(2))
{
}

CSoundRecorder::~CSoundRecorder()
{
    EndWorker();
    if (m_pSource)
        m_pSource->stop();
    {
        std::lock_guard lock(m_drainMutex);
        m_pWaveFile.reset();
    }
    ReleaseCaptureBuffer();
}

// --- Capture device -------------------------------------------------------------------------

void CSoundRecorder::EnumerateCaptureDevices()
{
    QList<CCaptureDeviceChoice::Device> devices;
    for (const QAudioDevice& device : QMediaDevices::audioInputs())
        devices.append({device.id(), device.description()});
    CCaptureDeviceChoice::Process().Offer(devices);
}

QString CSoundRecorder::GetCaptureDeviceName()
{
    return CCaptureDeviceChoice::Process().ChosenDescription();
}

QByteArray CSoundRecorder::GetCaptureDeviceId()
{
    return CCaptureDeviceChoice::Process().ChosenId();
}

void CSoundRecorder::SetCaptureDeviceLookup(CaptureDeviceLookup lookup)
{
    std::lock_guard lock(g_lookupMutex);
    g_lookup = std::move(lookup);
}

// --- Recording ------------------------------------------------------------------------------

SoundResult CSoundRecorder::InitCaptureDevice()
{
    EndWorker();
    if (m_pSource)
        m_pSource->stop();
    {
        std::lock_guard lock(m_drainMutex);
        m_pWaveFile.reset();
    }
    ReleaseCaptureBuffer();
    m_dwCaptureBufferSize = m_dwNextCaptureOffset = m_dwNotifySize = 0;

    CaptureDeviceLookup lookup;
    {
        std::lock_guard lock(g_lookupMutex);
        lookup = g_lookup;
    }
    const QByteArray chosen = GetCaptureDeviceId();
    m_captureDevice = lookup ? lookup(chosen) : defaultLookup(chosen);
    if (!m_captureDevice || m_captureDevice->isNull()) {
        m_captureDevice.reset();
        show("The sound server (PulseAudio or PipeWire) offers no input device to record from.");
        return SoundError::NoDevice;
    }
    return SoundResult::Ok();
}

bool CSoundRecorder::SetCaptureFormat(int rateIndex)
{
    m_nRateIndex = rateIndex;
    m_wfxInput = CaptureFormat::ForRateIndex(rateIndex);
    if (CreateCaptureBuffer(m_wfxInput).Failed())
        show("CreateCaptureBuffer formats");
    return true;
}

void CSoundRecorder::EndWorker()
{
    if (m_pNotifyThread) {
        m_pNotifyThread->Stop();
        m_pNotifyThread.reset();
    }
}

void CSoundRecorder::ReleaseCaptureBuffer()
{
    EndWorker();
    if (m_pSource) {
        m_pSource->stop();
        m_pSource.reset();
    }
    m_pCaptureBuffer.reset();
}

SoundResult CSoundRecorder::CreateCaptureBuffer(const CWaveFormat& format)
{
    m_dwNotifySize = CaptureFormat::NotifySize(format);
    m_dwCaptureBufferSize = CaptureFormat::kNotificationCount * m_dwNotifySize;
    ReleaseCaptureBuffer();

    if (!m_captureDevice) {
        show("CreateCaptureBuffer");
        return SoundError::NotReady;
    }
    const std::optional<QAudioFormat> audioFormat =
        format.nSamplesPerSec == 0 ? std::nullopt : AudioFormatMap::ToAudioFormat(format);
    if (!audioFormat || !m_captureDevice->isFormatSupported(*audioFormat)) {
        show("CreateCaptureBuffer");
        return SoundError::BadFormat;
    }
    if (!m_pNotificationEvent)
        m_pNotificationEvent = std::make_unique<CNotificationEvent>();
    m_pCaptureBuffer = std::make_unique<CCaptureBuffer>(m_dwCaptureBufferSize, m_dwNotifySize,
                                                     *m_pNotificationEvent);
    m_pSource = std::make_unique<QAudioSource>(*m_captureDevice, *audioFormat);
    m_bCaptureFailed.store(false);
    QAudioSource* source = m_pSource.get();
    QObject::connect(source, &QAudioSource::stateChanged, source, [this, source](QAudio::State state) {
        if (state == QAudio::StoppedState && source->error() != QAudio::NoError)
            m_bCaptureFailed.store(true);
    });
    m_wfxBuffer = format;
    m_dwNextCaptureOffset = 0;

    const SoundResult result = InitNotifications();
    if (result.Failed()) {
        show("InitNotifications");
        return result;
    }
    return SoundResult::Ok();
}

SoundResult CSoundRecorder::InitNotifications()
{
    if (!m_pCaptureBuffer)
        return SoundError::NotReady;
    if (!m_pNotificationEvent)
        m_pNotificationEvent = std::make_unique<CNotificationEvent>();
    EndWorker();
    m_pNotifyThread = std::make_unique<CNotificationWorker>(*m_pNotificationEvent,
                                                            [this] { return RecordCapturedData(); });
    return SoundResult::Ok();
}

bool CSoundRecorder::OpenCaptureFile(const QString& path)
{
    m_strCaptureFile = path;
    auto writer = std::make_unique<CWavFile>();
    const CWaveFormat& format = m_pCaptureBuffer ? m_wfxBuffer : m_wfxInput;
    const bool opened = writer->OpenForWriting(path, format);
    {
        std::lock_guard lock(m_drainMutex);
        m_pWaveFile = std::move(writer);
    }
    if (!opened)
        show("Can not create wav file -- Open");
    return true;
}

SoundResult CSoundRecorder::StartCapture()
{
    if (!m_pCaptureBuffer || !m_pSource)
        return SoundError::NotReady;
    if (!m_pNotifyThread)
        InitNotifications();
    m_pSource->start(m_pCaptureBuffer.get());
    if (m_pSource->error() != QAudio::NoError) {
        m_pSource->stop();
        return SoundError::DeviceStopped;
    }
    return SoundResult::Ok();
}

bool CSoundRecorder::IsCapturing() const
{
    return m_pSource && m_pSource->state() != QAudio::StoppedState;
}

qint64 CSoundRecorder::GetDroppedBytes() const
{
    return m_pCaptureBuffer ? m_pCaptureBuffer->DroppedBytes() : 0;
}

SoundResult CSoundRecorder::RecordCapturedData()
{
    std::lock_guard lock(m_drainMutex);
    if (!m_pCaptureBuffer || !m_pWaveFile)
        return SoundResult::Ok();
    if (m_bCaptureFailed.load()) {
        show("GetCurrentPosition");
        return SoundError::DeviceStopped;
    }
    quint32 length = m_pCaptureBuffer->Captured();
    length -= length % m_dwNotifySize;
    if (length == 0)
        return SoundResult::Ok();

    std::vector<char> bytes(length);
    m_pCaptureBuffer->Take(m_dwNextCaptureOffset, length, bytes.data());
    // Written as the buffer holds it: up to its end, then the part from its start.
    const quint32 first = qMin(length, m_dwCaptureBufferSize - m_dwNextCaptureOffset);
    const quint32 parts[2] = {first, length - first};
    const char* at = bytes.data();
    for (quint32 part : parts) {
        if (part == 0)
            continue;
        if (m_pWaveFile->Write(at, part) != part) {
            show("Write");
            return SoundError::Failed;
        }
        at += part;
        m_dwNextCaptureOffset = (m_dwNextCaptureOffset + part) % m_dwCaptureBufferSize;
    }
    return SoundResult::Ok();
}

bool CSoundRecorder::StopRecording()
{
    if (!m_pCaptureBuffer)
        return false;
    if (m_pSource)
        m_pSource->stop();
    EndWorker();
    if (RecordCapturedData().Failed()) {
        show("RecordCapturedData");
        return false;
    }
    std::unique_ptr<CWavFile> writer;
    {
        std::lock_guard lock(m_drainMutex);
        writer = std::move(m_pWaveFile);
    }
    // A file whose lengths could not be written is not a recording.
    if (writer && writer->GetMode() == CWavFile::Mode::Write && !writer->Close()) {
        show("Write");
        return false;
    }
    return true;
}
