// SPDX-License-Identifier: MIT
// The defined colours put on the window's controls.
#pragma once

#include "quiz/WindowDefinition.h"

#include <QColor>
#include <QString>

class QWidget;

namespace window {

[[nodiscard]] inline QColor ToColour(Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

// A fixed background comes with its text colour: the platform's would follow a dark theme and
// be light on a light background.
void SetColours(QWidget* widget, Rgb background);

// The clear button's face: a palette alone is ignored by several platform styles, a style
// sheet is drawn by all.
[[nodiscard]] QString ButtonStyleSheet();

} // namespace window
