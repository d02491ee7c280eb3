// SPDX-License-Identifier: MIT
// The quiz program: one window, until it is closed.
#include "app/Startup.h"

int main(int argc, char* argv[]) {
    return window::RunTrevika(argc, argv);
}
