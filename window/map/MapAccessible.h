// SPDX-License-Identifier: MIT
// The map to assistive technology, as Qt's item views are: a list whose 28 items are the
// provinces, each named as the map's lines name it ("област Ямбол"), with its box on the
// screen, focused while it is the current one and selected while it is filled, and a press
// that chooses it as a click does. Screen readers, magnifiers and switch access find a province
// by it, and so do tests.
#pragma once

namespace window {

// Lets Qt build the map's interface for each MapView; the first MapView calls it.
void InstallMapAccessibility();

} // namespace window
