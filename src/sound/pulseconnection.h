#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

struct pa_context;
struct pa_mainloop;

// A blocking connection to the PulseAudio server: its own main loop, run only while a request
// waits for its answer, each request bounded by a time-out. Owns the loop and the context.
class CPulseConnection
{
public:
    struct Source {
        quint32 index = 0;
        QByteArray name;
        QString description;
        bool isMonitor = false;       // the monitor of a sink, not a capture device
        quint8 channels = 0;
        quint32 averageVolume = 0;    // 0 .. PA_VOLUME_NORM is 0 % .. 100 %
    };

    explicit CPulseConnection(int timeoutMs = 5000);
    ~CPulseConnection();
    CPulseConnection(const CPulseConnection&) = delete;
    CPulseConnection& operator=(const CPulseConnection&) = delete;

    // Connects to the default server; false (with LastError set) when it does not answer.
    bool Connect();
    bool IsConnected() const;

    // Every source of the server, in its order; nothing on failure.
    std::optional<QList<Source>> Sources();
    // One source by name; nothing when it is gone or the request failed.
    std::optional<Source> SourceByName(const QByteArray& name);
    // The server's default source name; nothing on failure.
    std::optional<QByteArray> DefaultSourceName();
    // Sets every channel of the source to the volume.
    bool SetSourceVolume(const QByteArray& name, quint8 channels, quint32 volume);

    // The PulseAudio error code (PA_ERR_*) of the last failed request; 0 after a success.
    int LastError() const { return m_nLastError; }

private:
    template <typename Done>
    bool RunUntil(Done done);
    void Failed(int fallback);

    int m_nTimeoutMs;
    pa_mainloop* m_pMainloop = nullptr;
    pa_context* m_pContext = nullptr;
    int m_nLastError = 0;
};
