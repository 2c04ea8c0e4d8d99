#pragma once

#include <condition_variable>
#include <mutex>

// An auto-reset event: Set wakes one Wait (or the next one), which resets it.
class CNotificationEvent
{
public:
    void Set();
    void Wait();

private:
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_bSignalled = false;
};
