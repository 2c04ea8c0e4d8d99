#pragma once

#include "sound/soundresult.h"
#include "sound/wavformat.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

// Reads and writes RIFF/WAVE files: the recorder writes its capture into one (header first,
// lengths filled in at close), playback reads a whole file's format and sound data.
class CWavFile
{
public:
    enum class Mode { Closed, Read, Write };

    CWavFile();
    ~CWavFile();
    CWavFile(const CWavFile&) = delete;
    CWavFile& operator=(const CWavFile&) = delete;

    // Creates (or truncates) the file and writes the recording header for the format, leaving
    // the "data" chunk open. False when the file cannot be created or the header not written;
    // every later Write then fails.
    bool OpenForWriting(const QString& path, const CWaveFormat& format);
    // Appends sound data; returns the bytes written, or -1 when the file is not open for
    // writing or the write failed.
    qint64 Write(const char* data, qint64 length);
    // Bytes of sound data written so far.
    qint64 WrittenDataSize() const { return m_nWritten; }

    // Reads the whole file and parses its header. Fails (file missing, unreadable, not a
    // regular file, longer than a RIFF file can be, or not a RIFF/WAVE file with "fmt " and
    // "data").
    SoundResult OpenForReading(const QString& path);
    // Reads the whole file as a recording to play (RecordingCheck): its sound data is then cut
    // to whole frames. Failed when it cannot be read, BadFormat when the check refuses it; then
    // *whyNot (when given) says why, as a clause after the file's name.
    SoundResult OpenForPlaying(const QString& path, QString* whyNot = nullptr);
    // Copies up to `size` bytes of sound data not yet read; returns the count copied.
    qint64 Read(char* buffer, qint64 size);
    // Back to the first byte of the sound data.
    SoundResult Rewind();
    // Bytes of sound data of the file opened for reading.
    qint64 GetDataSize() const { return m_nDataSize; }
    const CWaveFormat& GetFormat() const { return m_format; }

    // Writing: pads the data to an even length, fills in the "RIFF" and "data" lengths, sets
    // "fact" to 0 and closes; false when any of that failed (the file is then incomplete).
    // Reading: forgets the data. Safe to call when closed.
    bool Close();

    Mode GetMode() const { return m_mode; }

private:
    CWaveFormat m_format;
    Mode m_mode = Mode::Closed;
    // Writing.
    std::unique_ptr<QFile> m_file;
    bool m_bWriteFailed = false;
    qint64 m_nWritten = 0;
    qint64 m_nFactValueOffset = 0;
    qint64 m_nDataLengthOffset = 0;
    // Reading.
    QByteArray m_bytes;
    qint64 m_nDataOffset = 0;
    qint64 m_nDataSize = 0;
    qint64 m_nReadPosition = 0;
};
