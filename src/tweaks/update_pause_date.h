// The dates of a Windows Update pause as the ISO text the update settings store: it starts now and
// ends one year later. Used by the pause tweak.
#pragma once
#include <string>

#include "platform/system.h"

namespace vx {

// The same date and time one year later; 29 February becomes 28 February of the next year.
CalendarTime oneYearLater(const CalendarTime& t);

// "YYYY-MM-DDThh:mm:ssZ".
std::wstring utcStampText(const CalendarTime& t);

}  // namespace vx
