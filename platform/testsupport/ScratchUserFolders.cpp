// Compiled into every test program: before any test runs, HOME and XDG_DATA_HOME point at a scratch folder of
// this process, so that no test, whatever it forgets to set up, reaches the register or the settings of the user
// who runs the tests. The folder goes when the program ends.

#include "ScopedHome.h"

namespace {

const tally::testing::ScopedHome scratchUserFolders;

}  // namespace
