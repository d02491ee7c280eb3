// SPDX-License-Identifier: MIT
// The provinces' outlines as painter paths in map units, for the map on the screen and on paper.
#pragma once

#include <ProvinceMap.h>
#include <QPainterPath>
#include <vector>

namespace window {

[[nodiscard]] inline std::vector<QPainterPath> ProvincePaths(const map::ProvinceMap& provinces) {
    std::vector<QPainterPath> paths;
    for (const map::Province& province : provinces.Provinces()) {
        QPainterPath path;
        path.moveTo(province.outline.front().x, province.outline.front().y);
        for (const map::Point point : province.outline) {
            path.lineTo(point.x, point.y);
        }
        path.closeSubpath();
        paths.push_back(path);
    }
    return paths;
}

} // namespace window
