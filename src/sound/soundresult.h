#pragma once

#include <optional>

// Why a sound operation failed.
enum class SoundError {
    Failed,           // it was tried and did not work (a file could not be read or written)
    NotReady,         // nothing is opened, loaded or made yet
    InvalidArgument,  // no path, or nothing to make
    BadFormat,        // the device or the file cannot take this format
    NoDevice,         // the sound server offers no such device
    DeviceStopped,    // the device stopped working or did not start
};

// What a sound operation ended with: success, or the error it failed with. Used like
// std::expected<void, SoundError>.
class SoundResult
{
public:
    constexpr SoundResult() = default;
    constexpr SoundResult(SoundError error)  // implicit: a failure is returned as its error
        : m_error(error)
    {
    }

    static constexpr SoundResult Ok() { return {}; }

    constexpr bool Succeeded() const { return !m_error.has_value(); }
    constexpr bool Failed() const { return m_error.has_value(); }
    constexpr explicit operator bool() const { return Succeeded(); }
    // The error; only after a failure.
    constexpr SoundError Error() const { return *m_error; }

    friend constexpr bool operator==(const SoundResult&, const SoundResult&) = default;

private:
    std::optional<SoundError> m_error;
};
