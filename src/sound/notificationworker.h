#pragma once

#include "sound/soundresult.h"

#include <atomic>
#include <functional>
#include <thread>

class CNotificationEvent;

// The thread that copies captured sound into the WAV file: it waits on the capture buffer's
// event and drains once per notification. When a drain fails it shows "The recording stopped:
// the sound from the input device could not be saved." and ends. Stop (and the destructor) end it and wait.
class CNotificationWorker
{
public:
    CNotificationWorker(CNotificationEvent& event, std::function<SoundResult()> drain);
    ~CNotificationWorker();
    CNotificationWorker(const CNotificationWorker&) = delete;
    CNotificationWorker& operator=(const CNotificationWorker&) = delete;

    void Stop();

private:
    void Run();

    CNotificationEvent& m_event;
    std::function<SoundResult()> m_drain;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};
