#pragma once

// The end of the audio back end. Qt Multimedia plays and records through PulseAudio with a
// libpulse "threaded main loop": an event thread of its own that handles what the sound server
// sends (a device that changed, the answer to a question about it). Qt 6.4 tears that connection
// down only at exit, from a static destructor, and disconnects it without the loop's lock while
// the event thread still runs: a message from the server arriving then makes both threads free
// the same parts, and the process aborts or crashes after its work is done. Stopping the event
// thread first makes that teardown single-threaded.
namespace AudioBackend {
// Stops the event thread of every libpulse threaded main loop of this process and waits for it.
// Call it only when no audio object (QAudioSink, QAudioSource) is left, as closing one waits
// for that thread; sound cannot be used afterwards. Calling it again does nothing.
void Stop();
// How many of those event threads run now.
int RunningEventThreads();
}  // namespace AudioBackend

// Stops the audio back end when it goes. Made right after the application object, it goes
// after everything made later (every audio object) and before the application object and
// exit().
class CAudioBackendScope
{
public:
    CAudioBackendScope() = default;
    ~CAudioBackendScope() { AudioBackend::Stop(); }
    CAudioBackendScope(const CAudioBackendScope&) = delete;
    CAudioBackendScope& operator=(const CAudioBackendScope&) = delete;
};
