// Compiled into every test program: before any test runs, HOME and XDG_DATA_HOME point at a scratch folder of
// this process, so that no test, whatever it forgets to set up, reaches the register or the settings of the user
// who runs the tests. The folder goes when the program ends.

#include <stdlib.h>

#include "ScratchFolder.h"

namespace {

class ScratchUserFolders {
public:
    ScratchUserFolders() {
        ::setenv("HOME", home_.path().c_str(), 1);
        ::setenv("XDG_DATA_HOME", (home_ / "data").c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
    }

private:
    tally::testing::ScratchFolder home_;
};

const ScratchUserFolders scratchUserFolders;

}  // namespace
