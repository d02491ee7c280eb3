// SPDX-License-Identifier: MIT
// The program's start-up: the application, its one window, and Qt's event loop.
#pragma once

#include <QStringList>
#include <functional>

namespace window {

class Trevika;

// Qt's own texts in Bulgarian for the rest of the program's life.
void InstallQtCatalogue();

// Opens the table file that the program was started with, if any: `trevika FILE`, which is also
// how Windows hands over a file dropped on the program or opened with it. `files` are the
// command line's arguments after the options.
void OpenFromCommandLine(Trevika& trevika, const QStringList& files);

// Runs the quiz until its window closes and returns the program's exit status. `shown`, if
// given, is called with the window right after it is first shown, before the event loop runs.
int RunTrevika(int argc, char* argv[], const std::function<void(Trevika&)>& shown = {});

} // namespace window
