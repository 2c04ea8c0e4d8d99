#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <mutex>

// The capture device a run of the program records from: among the first 20 input devices of a
// listing, the first whose description contains "Microphone" (case-sensitive). Once chosen it
// stays chosen for the rest of the run. With none chosen the default input is used.
class CCaptureDeviceChoice
{
public:
    static constexpr int kMaxDevices = 20;

    struct Device {
        QByteArray id;        // the platform's identifier (the PulseAudio source name here)
        QString description;  // what the user sees
    };

    // The one choice of this process.
    static CCaptureDeviceChoice& Process();

    // Offers one listing of input devices, in the platform's order. Entries without an
    // identifier (a "default device" entry) are skipped, and so is everything after the first
    // 20 devices counted.
    void Offer(const QList<Device>& devices);

    bool HasChoice() const;
    QByteArray ChosenId() const;            // empty when none was chosen
    QString ChosenDescription() const;      // empty when none was chosen

    // Forgets the choice (tests only: a run never changes its choice).
    void ResetForTesting();

private:
    mutable std::mutex m_mutex;
    bool m_bChosen = false;
    Device m_chosen;
};
