#pragma once
// English month names of the fixed US regional settings (internal to the VB runtime).

#include <array>
#include <string_view>

namespace vb::names {

inline constexpr std::array<std::string_view, 12> kMonths = {"January", "February", "March",     "April",
                                                             "May",     "June",     "July",      "August",
                                                             "September", "October", "November", "December"};

}  // namespace vb::names
