// SPDX-License-Identifier: MIT
// The defined window at any size and any scale of its text. At the defined size and scale every
// control stands exactly where the definition puts it. Wider, every control keeps its share of
// the width; taller, the lists and the message box share the extra height as they share the
// defined one, while the rows of headings and buttons, and the gaps, keep their height. With
// its text enlarged, those rows and gaps grow with the text, and so does the least size.
#pragma once

#include "quiz/WindowDefinition.h"

#include <QRect>
#include <QSize>

namespace window {

[[nodiscard]] QRect Place(Twips defined, QSize client, qreal scale);
// The least client size at a scale: the defined size, scaled.
[[nodiscard]] QSize LeastClientSize(qreal scale);

} // namespace window
