#include "AutoMaxRates.h"

namespace tally::engine {

AutoMaxRatesSlots& AutoMaxRates() {
    thread_local AutoMaxRatesSlots slots{};
    return slots;
}

}  // namespace tally::engine
