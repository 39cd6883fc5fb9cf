// gmtime is not thread-safe and its re-entrant forms differ by platform;
// computing the civil date directly avoids both.
#include "Utf8.h"

namespace logger {

void UtcTime(std::time_t secs, std::tm& out) {
    long long t = static_cast<long long>(secs);
    long long days = t / 86400;
    long long rem = t % 86400;
    if (rem < 0) {
        rem += 86400;
        --days;
    }
    out.tm_hour = static_cast<int>(rem / 3600);
    out.tm_min = static_cast<int>(rem % 3600 / 60);
    out.tm_sec = static_cast<int>(rem % 60);
    // Days to civil date (proleptic Gregorian).
    days += 719468;
    long long era = (days >= 0 ? days : days - 146096) / 146097;
    long long doe = days - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long y = yoe + era * 400;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    long long d = doy - (153 * mp + 2) / 5 + 1;
    long long m = mp < 10 ? mp + 3 : mp - 9;
    out.tm_year = static_cast<int>(y + (m <= 2 ? 1 : 0) - 1900);
    out.tm_mon = static_cast<int>(m - 1);
    out.tm_mday = static_cast<int>(d);
}

}  // namespace logger
