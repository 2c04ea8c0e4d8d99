#include "sound/audiobackend.h"

#include <pulse/thread-mainloop.h>

#include <dlfcn.h>

#include <mutex>
#include <vector>

// The back end makes its loops inside Qt, out of our reach: the two libpulse calls below are
// defined here too, in the program, so that Qt's calls reach them first. They keep the handle of
// every loop whose thread started, and then do what libpulse does.

namespace {
std::mutex g_mutex;
std::vector<pa_threaded_mainloop*> g_running;  // event threads started and not stopped by us

template <typename Function>
Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void forget(pa_threaded_mainloop* loop)
{
    std::lock_guard lock(g_mutex);
    std::erase(g_running, loop);
}
}  // namespace

extern "C" int pa_threaded_mainloop_start(pa_threaded_mainloop* loop)
{
    static const auto start = next<int (*)(pa_threaded_mainloop*)>("pa_threaded_mainloop_start");
    const int result = start(loop);
    if (result == 0) {
        std::lock_guard lock(g_mutex);
        g_running.push_back(loop);
    }
    return result;
}

extern "C" void pa_threaded_mainloop_free(pa_threaded_mainloop* loop)
{
    static const auto free = next<void (*)(pa_threaded_mainloop*)>("pa_threaded_mainloop_free");
    forget(loop);
    free(loop);
}

void AudioBackend::Stop()
{
    std::vector<pa_threaded_mainloop*> loops;
    {
        std::lock_guard lock(g_mutex);
        loops.swap(g_running);
    }
    // Waits for a message being handled; the loop stays until its owner frees it.
    for (pa_threaded_mainloop* loop : loops)
        pa_threaded_mainloop_stop(loop);
}

int AudioBackend::RunningEventThreads()
{
    std::lock_guard lock(g_mutex);
    return int(g_running.size());
}
