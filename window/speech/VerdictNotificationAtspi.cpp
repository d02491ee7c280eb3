// SPDX-License-Identifier: MIT
// Telling screen readers through AT-SPI: a notification that appears.
#include "speech/VerdictNotification.h"

namespace window {

void VerdictNotification::Announce(const QString& spoken) {
    hide();
    setAccessibleName(spoken);
    // Showing raises QAccessible::ObjectShow, which the bridge passes on.
    show();
}

// Orca reads a dialog's texts as it takes the focus.
void AnnounceOpening(QWidget* /*dialog*/, const QString& /*firstLine*/) {}

} // namespace window
