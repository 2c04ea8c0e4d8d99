#include "sound/dxsoundrecorder.h"

#include "app/messages.h"
#include "sound/audioformatmap.h"
#include "sound/capturebuffer.h"
#include "sound/capturedevicechoice.h"
#include "sound/captureformat.h"
#include "sound/notificationevent.h"
#include "sound/notificationworker.h"
#include "sound/sound.h"
#include "sound/sounddevice.h"
#include "sound/wavfile.h"

#include <QAudioSource>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>

#include <vector>

namespace {
std::mutex g_lookupMutex;
CDXSoundRecorder::CaptureDeviceLookup g_lookup;

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

void show(const char* text, MessageIcon icon = MessageIcon::None)
{
    Messages::Show(QString::fromLatin1(text), icon);
}
}  // namespace

CDXSoundRecorder::CDXSoundRecorder()
    : m_wfxInput(CaptureFormat::ForRateIndex(2))
{
}

CDXSoundRecorder::~CDXSoundRecorder()
{
    m_pSound.reset();
    m_pSoundDevice.reset();
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

void CDXSoundRecorder::EnumerateCaptureDevices()
{
    QList<CCaptureDeviceChoice::Device> devices;
    for (const QAudioDevice& device : QMediaDevices::audioInputs())
        devices.append({device.id(), device.description()});
    CCaptureDeviceChoice::Process().Offer(devices);
}

bool CDXSoundRecorder::OnCaptureDevice(const QByteArray& id, const QString& description)
{
    CCaptureDeviceChoice::Process().Offer({{id, description}});
    return true;
}

QString CDXSoundRecorder::GetCaptureDeviceName()
{
    return CCaptureDeviceChoice::Process().ChosenDescription();
}

QByteArray CDXSoundRecorder::GetCaptureDeviceId()
{
    return CCaptureDeviceChoice::Process().ChosenId();
}

void CDXSoundRecorder::SetCaptureDeviceLookup(CaptureDeviceLookup lookup)
{
    std::lock_guard lock(g_lookupMutex);
    g_lookup = std::move(lookup);
}

// --- Recording ------------------------------------------------------------------------------

SoundResult::Code CDXSoundRecorder::InitCaptureDevice()
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
        show("DirectSoundCaptureCreate Failed");
        return SoundResult::kNoDriver;
    }
    return SoundResult::kOk;
}

bool CDXSoundRecorder::SetCaptureFormat(int rateIndex)
{
    m_nRateIndex = rateIndex;
    m_wfxInput = CaptureFormat::ForRateIndex(rateIndex);
    if (SoundResult::Failed(CreateCaptureBuffer(m_wfxInput)))
        show("CreateCaptureBuffer formats");
    return true;
}

void CDXSoundRecorder::EndWorker()
{
    if (m_pNotifyThread) {
        m_pNotifyThread->Stop();
        m_pNotifyThread.reset();
    }
}

void CDXSoundRecorder::ReleaseCaptureBuffer()
{
    EndWorker();
    if (m_pSource) {
        m_pSource->stop();
        m_pSource.reset();
    }
    m_pDSBCapture.reset();
}

SoundResult::Code CDXSoundRecorder::CreateCaptureBuffer(const CWaveFormat& format)
{
    m_dwNotifySize = CaptureFormat::NotifySize(format);
    m_dwCaptureBufferSize = CaptureFormat::kNotificationCount * m_dwNotifySize;
    ReleaseCaptureBuffer();

    if (!m_captureDevice) {
        show("CreateCaptureBuffer");
        return SoundResult::kNotInitialized;
    }
    const std::optional<QAudioFormat> audioFormat =
        format.nSamplesPerSec == 0 ? std::nullopt : AudioFormatMap::ToAudioFormat(format);
    if (!audioFormat || !m_captureDevice->isFormatSupported(*audioFormat)) {
        show("CreateCaptureBuffer");
        return SoundResult::kBadFormat;
    }
    if (!m_pNotificationEvent)
        m_pNotificationEvent = std::make_unique<CNotificationEvent>();
    m_pDSBCapture = std::make_unique<CCaptureBuffer>(m_dwCaptureBufferSize, m_dwNotifySize,
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

    const SoundResult::Code code = InitNotifications();
    if (SoundResult::Failed(code)) {
        show("InitNotifications");
        return code;
    }
    return SoundResult::kOk;
}

SoundResult::Code CDXSoundRecorder::InitNotifications()
{
    if (!m_pDSBCapture)
        return SoundResult::kFail;
    if (!m_pNotificationEvent)
        m_pNotificationEvent = std::make_unique<CNotificationEvent>();
    EndWorker();
    m_pNotifyThread = std::make_unique<CNotificationWorker>(*m_pNotificationEvent,
                                                            [this] { return RecordCapturedData(); });
    return SoundResult::kOk;
}

bool CDXSoundRecorder::OpenCaptureFile(const QString& path)
{
    m_strCaptureFile = path;
    auto writer = std::make_unique<CWavFile>();
    const CWaveFormat& format = m_pDSBCapture ? m_wfxBuffer : m_wfxInput;
    const bool opened = writer->OpenForWriting(path, format);
    {
        std::lock_guard lock(m_drainMutex);
        m_pWaveFile = std::move(writer);
    }
    if (!opened)
        show("Can not create wav file -- Open");
    return true;
}

SoundResult::Code CDXSoundRecorder::StartCapture()
{
    if (!m_pDSBCapture || !m_pSource)
        return SoundResult::kNotInitialized;
    if (!m_pNotifyThread)
        InitNotifications();
    m_pSource->start(m_pDSBCapture.get());
    if (m_pSource->error() != QAudio::NoError) {
        m_pSource->stop();
        return SoundResult::kDeviceError;
    }
    return SoundResult::kOk;
}

bool CDXSoundRecorder::IsCapturing() const
{
    return m_pSource && m_pSource->state() != QAudio::StoppedState;
}

qint64 CDXSoundRecorder::GetDroppedBytes() const
{
    return m_pDSBCapture ? m_pDSBCapture->DroppedBytes() : 0;
}

SoundResult::Code CDXSoundRecorder::RecordCapturedData()
{
    std::lock_guard lock(m_drainMutex);
    if (!m_pDSBCapture || !m_pWaveFile)
        return SoundResult::kNothingDone;
    if (m_bCaptureFailed.load()) {
        show("GetCurrentPosition");
        return SoundResult::kDeviceError;
    }
    quint32 length = m_pDSBCapture->Captured();
    length -= length % m_dwNotifySize;
    if (length == 0)
        return SoundResult::kNothingDone;

    std::vector<char> bytes(length);
    m_pDSBCapture->Take(m_dwNextCaptureOffset, length, bytes.data());
    // Written as the buffer holds it: up to its end, then the part from its start.
    const quint32 first = qMin(length, m_dwCaptureBufferSize - m_dwNextCaptureOffset);
    const quint32 parts[2] = {first, length - first};
    const char* at = bytes.data();
    for (quint32 part : parts) {
        if (part == 0)
            continue;
        if (m_pWaveFile->Write(at, part) != part) {
            show("Write");
            return SoundResult::kFail;
        }
        at += part;
        m_dwNextCaptureOffset = (m_dwNextCaptureOffset + part) % m_dwCaptureBufferSize;
    }
    return SoundResult::kOk;
}

bool CDXSoundRecorder::StopRecording()
{
    if (!m_pDSBCapture)
        return false;
    if (m_pSource)
        m_pSource->stop();
    EndWorker();
    if (SoundResult::Failed(RecordCapturedData())) {
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

// --- Playback -------------------------------------------------------------------------------

bool CDXSoundRecorder::InitPlaybackDevice()
{
    m_pSound.reset();
    m_pSoundDevice = std::make_unique<CSoundDevice>();
    if (SoundResult::Failed(m_pSoundDevice->Open())) {
        show("Error initializing DirectSound.", MessageIcon::Exclamation);
        return false;
    }
    if (SoundResult::Failed(m_pSoundDevice->SetPrimaryFormat(2, 48000, 16))) {
        show("Error initializing DirectSound primary buffer format.", MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void CDXSoundRecorder::DeleteLoadedSound()
{
    if (m_pSound) {
        m_pSound->Stop();
        m_pSound->Reset();
        m_pSound.reset();
    }
}

bool CDXSoundRecorder::LoadSound()
{
    DeleteLoadedSound();
    const QFileInfo info(m_strPlaybackFile);
    if (m_strPlaybackFile.isEmpty() || !info.exists() || !info.isFile())
        return true;
    if (info.size() > CSoundDevice::kMaxSoundBytes) {
        show("File too large.  You should stream large files.");
        return false;
    }
    SoundResult::Code code = SoundResult::kNotInitialized;
    QString whyNot;
    if (m_pSoundDevice)
        code = m_pSoundDevice->CreateSound(m_pSound, m_strPlaybackFile, 0, 1, &whyNot);
    if (SoundResult::Failed(code)) {
        m_pSound.reset();
        QString text = QStringLiteral("Could not create sound buffer.");
        if (!whyNot.isEmpty())
            text += QStringLiteral("\n\n\"%1\" cannot be played: %2.").arg(QDir::toNativeSeparators(m_strPlaybackFile), whyNot);
        Messages::Show(text);
        return false;
    }
    return true;
}

bool CDXSoundRecorder::PlayFile(const QString& path)
{
    m_strPlaybackFile = path;
    return LoadSound();
}

SoundResult::Code CDXSoundRecorder::Play(quint32 priority, quint32 flags, qint32 volume,
                                         qint32 frequency, qint32 pan)
{
    if (!m_pSound)
        return SoundResult::kNotInitialized;
    return m_pSound->Play(priority, flags, volume, frequency, pan);
}
