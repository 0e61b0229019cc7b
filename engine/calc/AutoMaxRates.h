#pragma once
// AutoMaxRates: the vehicle limits of the last successful CalcDepr::GetAutoMaxRates on this thread. Module data of
// the engine: it outlives the CalcDepr object that loaded it, so the calculation that follows on another object
// reads it. All slots are 0 until the first load; a load that finds no row leaves them as they were.

#include <array>

namespace tally::engine {

// Slots 0 to 7; 1 to 6 are used.
enum AutoMaxRatesSlot : int {
    kMaxYear1 = 1,      // first year
    kMaxYear2 = 2,      // second year
    kMaxYear3 = 3,      // third year
    kMaxYear4 = 4,      // fourth and every later year
    kMaxYear1Plus30 = 5,  // first year with a 30 % special allowance
    kMaxYear1Plus50 = 6,  // first year with a 50 % (or 100 %) special allowance
};

using AutoMaxRatesSlots = std::array<double, 8>;

AutoMaxRatesSlots& AutoMaxRates();

}  // namespace tally::engine
