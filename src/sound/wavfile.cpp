#include "sound/wavfile.h"

#include "base/boundedfile.h"
#include "sound/recordingcheck.h"

#include <QCoreApplication>
#include <QtEndian>

#include <cstring>

CWavFile::CWavFile() = default;

CWavFile::~CWavFile()
{
    Close();
}

bool CWavFile::OpenForWriting(const QString& path, const CWaveFormat& format)
{
    Close();
    m_format = format;
    m_mode = Mode::Write;
    m_nWritten = 0;
    m_bWriteFailed = false;
    const QByteArray header = WavHeader::BuildRecordingHeader(format);
    m_nDataLengthOffset = header.size() - 4;
    m_nFactValueOffset = m_nDataLengthOffset - 8;
    // Recordings are made in the shared recording folder: only a regular file is written.
    m_file = std::make_unique<QFile>();
    if (!BoundedFile::OpenForWriting(*m_file, path, QIODevice::ReadWrite, nullptr)
        || m_file->write(header) != header.size() || !m_file->flush()) {
        m_file.reset();
        m_bWriteFailed = true;
        return false;
    }
    return true;
}

qint64 CWavFile::Write(const char* data, qint64 length)
{
    if (m_mode != Mode::Write || !m_file || m_bWriteFailed || length < 0)
        return -1;
    // The RIFF length field is 32 bits: a longer file could not be closed correctly.
    if (m_nDataLengthOffset + 4 + m_nWritten + length + 1 - 8 > qint64(0xFFFFFFFFu)) {
        m_bWriteFailed = true;
        return -1;
    }
    const qint64 written = m_file->write(data, length);
    if (written != length) {
        m_bWriteFailed = true;
        return -1;
    }
    m_nWritten += written;
    return written;
}

SoundResult CWavFile::OpenForReading(const QString& path)
{
    Close();
    // No RIFF file is longer than its 32-bit length field allows (a recording of an hour is
    // 700 MB, so the limit of a recording to play does not fit here).
    constexpr qint64 kMaxRiffBytes = 8 + qint64(0xFFFFFFFFu);
    BoundedFile::Result read = BoundedFile::Read(path, kMaxRiffBytes);
    if (read.status != BoundedFile::EStatus::Read)
        return SoundError::Failed;
    QByteArray bytes = std::move(read.bytes);
    const std::optional<CWavLayout> layout = WavHeader::Parse(bytes);
    if (!layout)
        return SoundError::Failed;
    m_bytes = std::move(bytes);
    m_format = layout->format;
    m_nDataOffset = layout->dataOffset;
    m_nDataSize = layout->dataSize;
    m_mode = Mode::Read;
    return Rewind();
}

SoundResult CWavFile::OpenForPlaying(const QString& path, QString* whyNot)
{
    Close();
    QFile file;
    QString error;
    QByteArray bytes;
    if (BoundedFile::Open(file, path, &error)) {
        bytes = file.read(RecordingCheck::kMaxBytes + 1);
        if (file.error() != QFileDevice::NoError)
            error = file.errorString();
    }
    if (!error.isEmpty()) {
        if (whyNot)
            *whyNot = QCoreApplication::translate("CWavFile", "it could not be read (%1)").arg(error);
        return SoundError::Failed;
    }
    SPlayableRecording recording;
    const QString why = RecordingCheck::UnplayableReason(bytes, &recording);
    if (!why.isEmpty()) {
        if (whyNot)
            *whyNot = why;
        return SoundError::BadFormat;
    }
    m_bytes = std::move(bytes);
    m_format = recording.format;
    m_nDataOffset = recording.dataOffset;
    m_nDataSize = recording.dataSize;
    m_mode = Mode::Read;
    return Rewind();
}

qint64 CWavFile::Read(char* buffer, qint64 size)
{
    if (m_mode != Mode::Read || size <= 0)
        return 0;
    const qint64 count = qMin(size, m_nDataSize - m_nReadPosition);
    std::memcpy(buffer, m_bytes.constData() + m_nDataOffset + m_nReadPosition,
                static_cast<size_t>(count));
    m_nReadPosition += count;
    return count;
}

SoundResult CWavFile::Rewind()
{
    if (m_mode != Mode::Read)
        return SoundError::Failed;
    m_nReadPosition = 0;
    return SoundResult::Ok();
}

bool CWavFile::Close()
{
    bool ok = true;
    if (m_mode == Mode::Write && m_file) {
        auto put32At = [this](qint64 offset, quint32 value) {
            char le[4];
            qToLittleEndian(value, le);
            return m_file->seek(offset) && m_file->write(le, 4) == 4;
        };
        ok = !m_bWriteFailed;
        if (ok && (m_nWritten & 1))
            ok = m_file->write("", 1) == 1;  // chunks end on an even offset
        const qint64 fileLength = m_nDataLengthOffset + 4 + m_nWritten + (m_nWritten & 1);
        ok = ok && put32At(WavHeader::kRiffLengthOffset, static_cast<quint32>(fileLength - 8))
             && put32At(m_nDataLengthOffset, static_cast<quint32>(m_nWritten))
             && put32At(m_nFactValueOffset, 0) && m_file->flush();
        m_file->close();
        ok = ok && m_file->error() == QFileDevice::NoError;
    } else if (m_mode == Mode::Write) {
        ok = false;  // never opened
    }
    m_file.reset();
    m_bytes.clear();
    m_nDataOffset = m_nDataSize = m_nReadPosition = 0;
    m_mode = Mode::Closed;
    return ok;
}
