#pragma once
// English month and weekday names of the fixed US regional settings (internal to the VB runtime).

#include <array>
#include <string_view>

namespace vb::names {

inline constexpr std::array<std::string_view, 12> kMonths = {"January", "February", "March",     "April",
                                                             "May",     "June",     "July",      "August",
                                                             "September", "October", "November", "December"};

// Index 0 is Sunday, as VB's Weekday counts from vbSunday = 1.
inline constexpr std::array<std::string_view, 7> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                              "Thursday", "Friday", "Saturday"};

}  // namespace vb::names
