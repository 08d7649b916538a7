// The current local date and time, with a hook that tests set to a fixed moment.
#pragma once

#include <functional>

#include "rtl/date_time.h"

namespace rtl {

DateTime Now();

// Replaces the clock; an empty function restores the system clock.
void SetClock(std::function<DateTime()> clock);

}  // namespace rtl
