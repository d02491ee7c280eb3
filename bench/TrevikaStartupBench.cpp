// SPDX-License-Identifier: MIT
// The quiz's own start-up, ended as soon as its window's first frame is painted.
#include "FirstFrame.h"
#include "app/Startup.h"
#include "quiz/Trevika.h"

int main(int argc, char* argv[]) {
    return window::RunTrevika(
        argc, argv, [](window::Trevika& trevika) { startupbench::ExitAfterFirstFrame(trevika); });
}
