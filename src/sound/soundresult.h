#pragma once

#include <cstdint>

// Result codes of the sound classes, with the values of the platform codes the program has
// always returned: 0 and 1 are success (1: nothing was done), every failure is negative.
namespace SoundResult {
using Code = std::int32_t;

constexpr Code kOk = 0;
constexpr Code kNothingDone = 1;
constexpr Code kFail = static_cast<Code>(0x80004005u);            // general failure
constexpr Code kOutOfMemory = static_cast<Code>(0x8007000Eu);
constexpr Code kInvalidArgument = static_cast<Code>(0x80070057u);
constexpr Code kNotInitialized = static_cast<Code>(0x800401F0u);   // nothing loaded or opened
constexpr Code kBadFormat = static_cast<Code>(0x88780064u);        // the format cannot be used
constexpr Code kNoDriver = static_cast<Code>(0x88780078u);         // no such audio device
constexpr Code kDeviceError = static_cast<Code>(0x88780032u);      // the device stopped working

constexpr bool Succeeded(Code code) { return code >= 0; }
constexpr bool Failed(Code code) { return code < 0; }
}  // namespace SoundResult
