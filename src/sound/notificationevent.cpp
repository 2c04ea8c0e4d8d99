#include "sound/notificationevent.h"

void CNotificationEvent::Set()
{
    {
        std::lock_guard lock(m_mutex);
        m_bSignalled = true;
    }
    m_condition.notify_one();
}

void CNotificationEvent::Wait()
{
    std::unique_lock lock(m_mutex);
    m_condition.wait(lock, [this] { return m_bSignalled; });
    m_bSignalled = false;
}
