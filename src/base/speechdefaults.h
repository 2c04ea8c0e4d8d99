#pragma once

// The speech the settings fall back on when none is chosen: settings keep these plain values, so
// they need nothing from the speech engine.
namespace SpeechDefaults {

// Flite's "Rms": of the voices offered, the one a speech recogniser understood best.
inline constexpr char16_t kVoice[] = u"flite/cmu_us_rms";
// Words per minute: a little slower than talk, which a child follows more easily; from 100 to 175
// the recogniser heard the default voice equally well.
inline constexpr int kRate = 130;

}  // namespace SpeechDefaults
