// SPDX-License-Identifier: MIT
#include "quiz/WindowLayout.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace window {
namespace {

// The window's height in bands, from the top: the rows above the lists, the lists, the gap, the
// message box, the margin below it. The bands that grow do so by their defined heights.
struct Band {
    int twips;
    bool grows;
};
constexpr std::array<Band, 5> kBands{{
    {kList1[0].top, false},
    {kList1[0].height, true},
    {kText1[0].top - kList1[0].top - kList1[0].height, false},
    {kText1[0].height, true},
    {kClient.height - kText1[0].top - kText1[0].height, false},
}};
static_assert(kList1[1].top == kList1[0].top && kList1[1].height == kList1[0].height);

// Where a height in twips from the window's top lands, in pixels.
qreal MapY(int twips, int height, qreal scale) {
    int fixed = 0;
    int growing = 0;
    for (const Band& band : kBands) {
        (band.grows ? growing : fixed) += band.twips;
    }
    const qreal fixedPixels = scale * fixed / kTwipsPerPixel;
    const qreal perGrowingTwip = (height - fixedPixels) / growing;
    qreal y = 0;
    for (const Band& band : kBands) {
        const int part = std::min(twips, band.twips);
        y += band.grows ? part * perGrowingTwip : scale * part / kTwipsPerPixel;
        twips -= part;
        if (twips <= 0) {
            break;
        }
    }
    return y;
}

qreal MapX(int twips, int width) {
    return static_cast<qreal>(twips) * width / kClient.width;
}

} // namespace

QRect Place(Twips defined, QSize client, qreal scale) {
    const int left = qRound(MapX(defined.left, client.width()));
    const int right = qRound(MapX(defined.left + defined.width, client.width()));
    const int top = qRound(MapY(defined.top, client.height(), scale));
    int bottom = qRound(MapY(defined.top + defined.height, client.height(), scale));
    // A control that starts in a band that keeps its height keeps its own, scaled, reaching
    // at most one pixel into the band below, as the headings reach into their lists.
    int bandEnd = 0;
    for (const Band& band : kBands) {
        bandEnd += band.twips;
        if (defined.top < bandEnd) {
            if (!band.grows) {
                bottom = std::min(top + qRound(scale * defined.height / kTwipsPerPixel),
                                  qRound(MapY(bandEnd, client.height(), scale)) + 1);
            }
            break;
        }
    }
    return {left, top, right - left, bottom - top};
}

QSize LeastClientSize(qreal scale) {
    const QSize defined = ToPixels(kClient).size();
    return {static_cast<int>(std::ceil(defined.width() * scale)),
            static_cast<int>(std::ceil(defined.height() * scale))};
}

} // namespace window
