#pragma once

#include "sound/soundresult.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QTimer>

#include <memory>

class QAudioSink;
class QIODevice;
class CWavFile;

// One sound buffer: the whole sound in memory and the output stream that plays it once from
// its play position. Stopping keeps the position (a later Play goes on from there); a play
// that reaches the end stops and goes back to the start.
class CSoundBuffer
{
public:
    CSoundBuffer(const QAudioDevice& device, const QAudioFormat& format, qint64 size, char silence);
    ~CSoundBuffer();
    CSoundBuffer(const CSoundBuffer&) = delete;
    CSoundBuffer& operator=(const CSoundBuffer&) = delete;

    // Rewinds the file and reads the sound into the buffer; what the file does not fill is
    // silence.
    void Fill(CWavFile& file);

    SoundResult Play();
    SoundResult Stop();
    SoundResult SetPosition(qint64 position);
    bool IsPlaying() const;
    qint64 Position() const;
    // How long the sound handed to the device last takes to be heard.
    qint64 TailMilliseconds() const;

    qint64 Size() const { return m_data.size(); }

private:
    // Hands the stream up to `most` bytes of the rest of the sound; once all of it is handed
    // over, silence up to the stream's buffer, so that even a word shorter than the buffer
    // starts playing.
    void Feed(qint64 most);
    void OnStateChanged();
    void CloseStream();
    qint64 PlayedPosition() const;

    QAudioDevice m_device;
    QAudioFormat m_format;
    char m_silence;
    QByteArray m_data;
    std::unique_ptr<QAudioSink> m_sink;
    QIODevice* m_pStream = nullptr;  // the running stream's input, owned by m_sink
    QTimer m_feeder;                 // hands a long sound over in parts
    qint64 m_nStartPosition = 0;     // where the running play began
    qint64 m_nFed = 0;               // how far the running play handed the sound over
    qint64 m_nPosition = 0;          // play position while stopped
    bool m_bEnded = false;           // the running play reached the end
};
