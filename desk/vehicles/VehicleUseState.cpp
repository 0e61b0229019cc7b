#include "VehicleUseState.h"

namespace tally::desk {

VehicleUseState& vehicleUseState() {
    static VehicleUseState state;
    return state;
}

}  // namespace tally::desk
