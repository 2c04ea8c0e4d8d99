#include "sound/notificationworker.h"

#include "base/messages.h"
#include "sound/notificationevent.h"

CNotificationWorker::CNotificationWorker(CNotificationEvent& event,
                                         std::function<SoundResult()> drain)
    : m_event(event)
    , m_drain(std::move(drain))
    , m_thread([this] { Run(); })
{
}

CNotificationWorker::~CNotificationWorker()
{
    Stop();
}

void CNotificationWorker::Stop()
{
    if (!m_thread.joinable())
        return;
    m_bStop.store(true);
    m_event.Set();
    m_thread.join();
}

void CNotificationWorker::Run()
{
    for (;;) {
        m_event.Wait();
        if (m_bStop.load())
            return;
        if (m_drain().Failed()) {
            Messages::Show(QStringLiteral("The recording stopped: the sound from the input device could not be saved."));
            return;
        }
    }
}
