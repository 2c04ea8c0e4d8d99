#include "base/messages.h"

#include <atomic>
#include <cstdio>

namespace {
std::atomic<IMessageSink*> g_sink{nullptr};
}

void Messages::SetSink(IMessageSink* sink)
{
    g_sink.store(sink);
}

IMessageSink* Messages::Sink()
{
    return g_sink.load();
}

void Messages::Show(const QString& text, MessageIcon icon)
{
    if (IMessageSink* sink = g_sink.load()) {
        sink->ShowMessage(text, icon);
        return;
    }
    std::fprintf(stderr, "Orthex: %s\n", text.toLocal8Bit().constData());
}
