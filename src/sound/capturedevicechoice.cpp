#include "sound/capturedevicechoice.h"

CCaptureDeviceChoice& CCaptureDeviceChoice::Process()
{
    static CCaptureDeviceChoice choice;
    return choice;
}

void CCaptureDeviceChoice::Offer(const QList<Device>& devices)
{
    std::lock_guard lock(m_mutex);
    int counted = 0;
    for (const Device& device : devices) {
        if (device.id.isEmpty())
            continue;
        if (counted == kMaxDevices)
            break;
        ++counted;
        if (!m_bChosen && device.description.contains(QLatin1String("Microphone"), Qt::CaseSensitive)) {
            m_chosen = device;
            m_bChosen = true;
        }
    }
}

bool CCaptureDeviceChoice::HasChoice() const
{
    std::lock_guard lock(m_mutex);
    return m_bChosen;
}

QByteArray CCaptureDeviceChoice::ChosenId() const
{
    std::lock_guard lock(m_mutex);
    return m_chosen.id;
}

QString CCaptureDeviceChoice::ChosenDescription() const
{
    std::lock_guard lock(m_mutex);
    return m_chosen.description;
}

void CCaptureDeviceChoice::ResetForTesting()
{
    std::lock_guard lock(m_mutex);
    m_bChosen = false;
    m_chosen = {};
}
