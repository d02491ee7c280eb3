// SPDX-License-Identifier: MIT
#include "quiz/WindowColours.h"

#include <QPalette>
#include <QWidget>

namespace window {

void SetColours(QWidget* widget, Rgb background) {
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, ToColour(background));
        palette.setColor(group, QPalette::WindowText, ToColour(kTextColour));
    }
    widget->setPalette(palette);
}

QString ButtonStyleSheet() {
    const QColor face = ToColour(kButtonColour);
    return QStringLiteral("QPushButton { background-color: %1; color: %3; border: 1px solid %2; }"
                          "QPushButton:focus { border: 2px solid palette(highlight); }"
                          "QPushButton:pressed { background-color: %2; }")
        .arg(face.name(), face.darker(150).name(), ToColour(kTextColour).name());
}

} // namespace window
