// SPDX-License-Identifier: MIT
// The machine's policy on Windows: the registry's policies key, which Group Policy sets.
#include "class/ClassSettings.h"

#include <QSettings>

namespace window {

std::unique_ptr<QSettings> PolicySettings() {
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Policies\\Trevika"), QSettings::NativeFormat);
}

} // namespace window
