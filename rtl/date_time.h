// A calendar date and time of day, and formatting one by a pattern.
#pragma once

#include <string>
#include <string_view>

namespace rtl {

struct DateTime {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
};

// Formats `when` by `pattern` (UTF-8). Text between single or double quotes is copied without the
// quotes; "yyyy" is the year in 4 digits, "yy" its last 2; "mm"/"m" the month, "dd"/"d" the day,
// "hh"/"h" the hour, "nn"/"n" the minute, "ss"/"s" the second, the doubled forms with a leading
// zero below 10. Letters are matched without regard to case; every other character is copied.
std::string FormatDateTime(std::string_view pattern, const DateTime& when);

}  // namespace rtl
