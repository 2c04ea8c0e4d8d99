#pragma once

// The speech the settings fall back on when none is chosen: settings keep these plain values, so
// they need nothing from the speech engine.
namespace SpeechDefaults {

inline constexpr char16_t kVoice[] = u"gmw/en-US";  // English (America)
inline constexpr int kRate = 150;                   // words per minute: a little slower than talk

}  // namespace SpeechDefaults
