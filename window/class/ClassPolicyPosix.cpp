// SPDX-License-Identifier: MIT
// The machine's policy on Linux: the system's settings file, which only an administrator writes.
#include "class/ClassSettings.h"

#include <QSettings>

namespace window {

std::unique_ptr<QSettings> PolicySettings() {
    return std::make_unique<QSettings>(QStringLiteral("/etc/xdg/Trevika/Trevika.conf"),
                                       QSettings::IniFormat);
}

} // namespace window
