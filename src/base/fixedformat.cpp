#include "base/fixedformat.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>
#include <vector>

namespace {
#ifdef _WIN32
_locale_t cLocale()
{
    static _locale_t locale = _create_locale(LC_ALL, "C");
    return locale;
}
#else
locale_t cLocale()
{
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}
#endif
}  // namespace

QString FixedFormat::StrFTime(const char* format, const std::tm& time)
{
    char buffer[256];
#ifdef _WIN32
    const size_t n = _strftime_l(buffer, sizeof buffer, format, &time, cLocale());
#else
    const size_t n = strftime_l(buffer, sizeof buffer, format, &time, cLocale());
#endif
    return QString::fromLatin1(buffer, static_cast<qsizetype>(n));
}

QString FixedFormat::Printf(const char* format, ...)
{
    // vsnprintf follows the C library's current locale; switch this thread to "C" meanwhile.
#ifdef _WIN32
    va_list args;
    va_start(args, format);
    const int n = _vsnprintf_l(nullptr, 0, format, cLocale(), args);
    va_end(args);
    std::vector<char> buffer(static_cast<size_t>(n > 0 ? n : 0) + 1);
    va_start(args, format);
    _vsnprintf_l(buffer.data(), buffer.size(), format, cLocale(), args);
    va_end(args);
#else
    const locale_t previous = uselocale(cLocale());
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::vector<char> buffer(static_cast<size_t>(n > 0 ? n : 0) + 1);
    va_start(args, format);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    uselocale(previous);
#endif
    return QString::fromUtf8(buffer.data(), n > 0 ? n : 0);
}
