#include "tweaks/update_pause_date.h"

namespace vx {

namespace {

bool isLeapYear(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

std::wstring padded(unsigned value, std::size_t width) {
  std::wstring text = std::to_wstring(value);
  if (text.size() < width) text.insert(0, width - text.size(), L'0');
  return text;
}

}  // namespace

CalendarTime oneYearLater(const CalendarTime& t) {
  CalendarTime later = t;
  later.year = static_cast<std::uint16_t>(t.year + 1);
  // A leap day has no twin in the next year; Windows would refuse or misread 2027-02-29.
  if (later.month == 2 && later.day == 29 && !isLeapYear(later.year)) later.day = 28;
  return later;
}

std::wstring utcStampText(const CalendarTime& t) {
  return padded(t.year, 4) + L"-" + padded(t.month, 2) + L"-" + padded(t.day, 2) + L"T" + padded(t.hour, 2) + L":" +
         padded(t.minute, 2) + L":" + padded(t.second, 2) + L"Z";
}

}  // namespace vx
