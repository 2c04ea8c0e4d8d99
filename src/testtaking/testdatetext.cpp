#include "testtaking/testdatetext.h"

#include "base/fixedformat.h"

QString TestDateText::Format(std::time_t time)
{
    std::tm local{};
#ifdef _WIN32
    const bool converted = localtime_s(&local, &time) == 0;
#else
    const bool converted = localtime_r(&time, &local) != nullptr;
#endif
    if (!converted)
        return QStringLiteral("Invalid DateTime");
    const QString text = FixedFormat::StrFTime("%x, %I:%M %p", local);
    if (text.isEmpty())
        return QStringLiteral("Time Error");
    return text;
}
