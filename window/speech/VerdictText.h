// SPDX-License-Identifier: MIT
// A verdict as the engine writes it, made into what a view shows and a screen reader says.
#pragma once

#include <QString>
#include <string>

namespace window {

// The engine breaks lines with CR LF; a plain text document wants bare line feeds.
[[nodiscard]] QString ShownText(const std::string& text);
// One line, since a screen reader reads a name as one phrase: each line without its outer
// spaces, joined by a space, blank lines left out.
[[nodiscard]] QString SpokenText(const std::string& text);

} // namespace window
