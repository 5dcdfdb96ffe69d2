// Calendar arithmetic for the simulated clocks (proleptic Gregorian calendar, no time zones).
#include "platform/sim/machine_state.h"

namespace vx::sim {

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;

// Days since 1970-01-01 of a civil date (the well-known days-from-civil algorithm).
std::int64_t daysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

}  // namespace

std::int64_t calendarToMs(const CalendarTime& t) {
  return daysFromCivil(t.year, t.month, t.day) * kMsPerDay + t.hour * 3'600'000LL + t.minute * 60'000LL +
         t.second * 1'000LL + t.milliseconds;
}

CalendarTime msToCalendar(std::int64_t ms) {
  const std::int64_t days = floorDiv(ms, kMsPerDay);
  std::int64_t rest = ms - days * kMsPerDay;

  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const std::int64_t m = mp + (mp < 10 ? 3 : -9);
  const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);

  CalendarTime t;
  t.year = static_cast<std::uint16_t>(y);
  t.month = static_cast<std::uint16_t>(m);
  t.day = static_cast<std::uint16_t>(d);
  t.hour = static_cast<std::uint16_t>(rest / 3'600'000);
  rest %= 3'600'000;
  t.minute = static_cast<std::uint16_t>(rest / 60'000);
  rest %= 60'000;
  t.second = static_cast<std::uint16_t>(rest / 1'000);
  t.milliseconds = static_cast<std::uint16_t>(rest % 1'000);
  return t;
}

}  // namespace vx::sim
