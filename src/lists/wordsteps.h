#pragma once

// The numbered steps of adding a word on the words page, and which of its sound buttons each
// step enables: type the word, Record, Stop, Play, then "Add Word To List" or "Redo Recording",
// which lead back to the start. "Speak" stands beside Record: the speech engine makes the
// recording at once and the page plays it, so it leads straight to Heard, ready to add. Without a microphone
// nothing can be recorded, so Record (and Stop) stay disabled, but Speak still works.
class CWordSteps
{
public:
    enum class Step {
        Ready,      // waiting for a recording: Record or Speak
        Recording,  // Stop
        Recorded,   // a recording was made: Play it
        Heard,      // it was played: play it again, add the word, or record again
    };

    struct Buttons {
        bool record = false;
        bool speak = false;
        bool stop = false;
        bool play = false;
        bool add = false;
        bool redo = false;
        bool operator==(const Buttons&) const = default;
    };

    explicit CWordSteps(bool canRecord = true) : m_bCanRecord(canRecord) {}

    void SetCanRecord(bool canRecord) { m_bCanRecord = canRecord; }
    bool CanRecord() const { return m_bCanRecord; }

    Step Current() const { return m_step; }
    Buttons Enabled() const;

    // Every update of the page, "New Word", "Redo Recording" and a stored word.
    void Reset() { m_step = Step::Ready; }
    // Record pressed.
    void StartRecording() { m_step = Step::Recording; }
    // Stop pressed: the recording is there to be played, and the word can be added only once it
    // was heard.
    void Recorded() { m_step = Step::Recorded; }
    // Play pressed, or the word spoken and played by the page.
    void Played() { m_step = Step::Heard; }

private:
    bool m_bCanRecord;
    Step m_step = Step::Ready;
};
