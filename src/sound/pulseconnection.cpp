#include "sound/pulseconnection.h"

#include <QDeadlineTimer>

#include <pulse/context.h>
#include <pulse/def.h>
#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/operation.h>
#include <pulse/volume.h>

namespace {
CPulseConnection::Source toSource(const pa_source_info* info)
{
    CPulseConnection::Source s;
    s.index = info->index;
    s.name = QByteArray(info->name ? info->name : "");
    s.description = QString::fromUtf8(info->description ? info->description : "");
    s.isMonitor = info->monitor_of_sink != PA_INVALID_INDEX;
    s.channels = info->volume.channels;
    s.averageVolume = pa_cvolume_avg(&info->volume);
    return s;
}

// Collects the answer of one introspection request.
struct SourceRequest {
    QList<CPulseConnection::Source> sources;
    bool done = false;
    bool failed = false;
};

void onSourceInfo(pa_context*, const pa_source_info* info, int eol, void* userdata)
{
    auto* request = static_cast<SourceRequest*>(userdata);
    if (eol < 0)
        request->failed = true;
    if (eol != 0) {
        request->done = true;
        return;
    }
    if (info)
        request->sources.append(toSource(info));
}

struct ServerRequest {
    QByteArray defaultSource;
    bool done = false;
};

void onServerInfo(pa_context*, const pa_server_info* info, void* userdata)
{
    auto* request = static_cast<ServerRequest*>(userdata);
    if (info && info->default_source_name)
        request->defaultSource = info->default_source_name;
    request->done = true;
}

struct SuccessRequest {
    bool done = false;
    bool success = false;
};

void onSuccess(pa_context*, int success, void* userdata)
{
    auto* request = static_cast<SuccessRequest*>(userdata);
    request->success = success != 0;
    request->done = true;
}

// Releases our reference to an operation when the request is over.
struct OperationRef {
    pa_operation* op;
    ~OperationRef()
    {
        if (op) {
            if (pa_operation_get_state(op) == PA_OPERATION_RUNNING)
                pa_operation_cancel(op);
            pa_operation_unref(op);
        }
    }
};
}  // namespace

CPulseConnection::CPulseConnection(int timeoutMs)
    : m_nTimeoutMs(timeoutMs)
{
}

CPulseConnection::~CPulseConnection()
{
    if (m_pContext) {
        pa_context_disconnect(m_pContext);
        pa_context_unref(m_pContext);
    }
    if (m_pMainloop)
        pa_mainloop_free(m_pMainloop);
}

template <typename Done>
bool CPulseConnection::RunUntil(Done done)
{
    QDeadlineTimer deadline(m_nTimeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            m_nLastError = PA_ERR_TIMEOUT;
            return false;
        }
        const qint64 remainingUs = qMax<qint64>(1, deadline.remainingTime()) * 1000;
        if (pa_mainloop_prepare(m_pMainloop, static_cast<int>(qMin<qint64>(remainingUs, 100000))) < 0
            || pa_mainloop_poll(m_pMainloop) < 0 || pa_mainloop_dispatch(m_pMainloop) < 0) {
            m_nLastError = PA_ERR_INTERNAL;
            return false;
        }
    }
    return true;
}

bool CPulseConnection::Connect()
{
    if (IsConnected())
        return true;
    if (!m_pMainloop)
        m_pMainloop = pa_mainloop_new();
    if (!m_pMainloop) {
        m_nLastError = PA_ERR_INTERNAL;
        return false;
    }
    if (m_pContext) {
        pa_context_unref(m_pContext);
        m_pContext = nullptr;
    }
    m_pContext = pa_context_new(pa_mainloop_get_api(m_pMainloop), "Orthex");
    if (!m_pContext || pa_context_connect(m_pContext, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        m_nLastError = m_pContext ? pa_context_errno(m_pContext) : PA_ERR_INTERNAL;
        return false;
    }
    auto settled = [this] {
        const pa_context_state_t state = pa_context_get_state(m_pContext);
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    };
    if (!RunUntil(settled))
        return false;
    if (pa_context_get_state(m_pContext) != PA_CONTEXT_READY) {
        m_nLastError = pa_context_errno(m_pContext);
        if (m_nLastError == 0)
            m_nLastError = PA_ERR_CONNECTIONREFUSED;
        return false;
    }
    m_nLastError = 0;
    return true;
}

void CPulseConnection::Failed(int fallback)
{
    // A time-out or a broken loop says more than the context's last error.
    if (m_nLastError != 0)
        return;
    const int error = m_pContext ? pa_context_errno(m_pContext) : 0;
    m_nLastError = error != 0 ? error : fallback;
}

bool CPulseConnection::IsConnected() const
{
    return m_pContext && pa_context_get_state(m_pContext) == PA_CONTEXT_READY;
}

std::optional<QList<CPulseConnection::Source>> CPulseConnection::Sources()
{
    if (!IsConnected()) {
        m_nLastError = PA_ERR_BADSTATE;
        return std::nullopt;
    }
    m_nLastError = 0;
    SourceRequest request;
    OperationRef op{pa_context_get_source_info_list(m_pContext, onSourceInfo, &request)};
    if (!op.op || !RunUntil([&] { return request.done || !IsConnected(); }) || !request.done
        || request.failed) {
        Failed(PA_ERR_UNKNOWN);
        return std::nullopt;
    }
    m_nLastError = 0;
    return request.sources;
}

std::optional<CPulseConnection::Source> CPulseConnection::SourceByName(const QByteArray& name)
{
    if (!IsConnected()) {
        m_nLastError = PA_ERR_BADSTATE;
        return std::nullopt;
    }
    m_nLastError = 0;
    SourceRequest request;
    OperationRef op{pa_context_get_source_info_by_name(m_pContext, name.constData(), onSourceInfo, &request)};
    if (!op.op || !RunUntil([&] { return request.done || !IsConnected(); }) || !request.done
        || request.failed || request.sources.isEmpty()) {
        Failed(PA_ERR_NOENTITY);
        return std::nullopt;
    }
    m_nLastError = 0;
    return request.sources.front();
}

std::optional<QByteArray> CPulseConnection::DefaultSourceName()
{
    if (!IsConnected()) {
        m_nLastError = PA_ERR_BADSTATE;
        return std::nullopt;
    }
    m_nLastError = 0;
    ServerRequest request;
    OperationRef op{pa_context_get_server_info(m_pContext, onServerInfo, &request)};
    if (!op.op || !RunUntil([&] { return request.done || !IsConnected(); }) || !request.done) {
        Failed(PA_ERR_UNKNOWN);
        return std::nullopt;
    }
    m_nLastError = 0;
    return request.defaultSource;
}

bool CPulseConnection::SetSourceVolume(const QByteArray& name, quint8 channels, quint32 volume)
{
    if (!IsConnected()) {
        m_nLastError = PA_ERR_BADSTATE;
        return false;
    }
    if (channels == 0 || channels > PA_CHANNELS_MAX || !PA_VOLUME_IS_VALID(volume)) {
        m_nLastError = PA_ERR_INVALID;
        return false;
    }
    m_nLastError = 0;
    pa_cvolume cv;
    pa_cvolume_set(&cv, channels, volume);
    SuccessRequest request;
    OperationRef op{pa_context_set_source_volume_by_name(m_pContext, name.constData(), &cv, onSuccess, &request)};
    if (!op.op || !RunUntil([&] { return request.done || !IsConnected(); }) || !request.done
        || !request.success) {
        Failed(PA_ERR_NOENTITY);
        return false;
    }
    m_nLastError = 0;
    return true;
}
