// SPDX-License-Identifier: MIT
#include "ProvinceMap.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <utility>

namespace map {
namespace {

// Far beyond any map of Bulgaria, and small enough that no sum of two overflows.
constexpr int kMaxCoordinate = 1'000'000;
constexpr std::size_t kMaxPoints = 100'000;
// The inner point is sought on a grid of this many steps each way over the province's box,
// then on one as fine around the best point found.
constexpr int kGridSteps = 20;

std::string_view NextWord(std::string_view& line) {
    const std::size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        line = {};
        return {};
    }
    line.remove_prefix(start);
    const std::size_t end = std::min(line.find(' '), line.size());
    const std::string_view word = line.substr(0, end);
    line.remove_prefix(end);
    return word;
}

int Number(std::string_view text, int line) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < -kMaxCoordinate ||
        value > kMaxCoordinate) {
        throw MapError(line, "not a coordinate: " + std::string(text));
    }
    return value;
}

Point PointOf(std::string_view word, int line) {
    const std::size_t comma = word.find(',');
    if (comma == std::string_view::npos) {
        throw MapError(line, "not a point: " + std::string(word));
    }
    return {Number(word.substr(0, comma), line), Number(word.substr(comma + 1), line)};
}

// The name in quotes that the line goes on with; the line goes on after it.
std::string Quoted(std::string_view& line, int number) {
    const std::size_t open = line.find('"');
    const std::size_t close = open == std::string_view::npos ? open : line.find('"', open + 1);
    if (close == std::string_view::npos) {
        throw MapError(number, "a name in quotes is missing");
    }
    std::string name(line.substr(open + 1, close - open - 1));
    line.remove_prefix(close + 1);
    return name;
}

Province ProvinceOf(std::string_view line, int number) {
    Province province;
    province.code = std::string(NextWord(line));
    province.name = Quoted(line, number);
    Point at;
    for (std::string_view word = NextWord(line); !word.empty(); word = NextWord(line)) {
        const Point step = PointOf(word, number);
        at = province.outline.empty() ? step : Point{at.x + step.x, at.y + step.y};
        if (std::abs(at.x) > kMaxCoordinate || std::abs(at.y) > kMaxCoordinate ||
            province.outline.size() == kMaxPoints) {
            throw MapError(number, "the outline goes too far");
        }
        province.outline.push_back(at);
    }
    if (province.outline.size() < 3) {
        throw MapError(number, "an outline needs three points");
    }
    return province;
}

double SquaredDistanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = (dx * dx) + (dy * dy);
    double t = length == 0 ? 0 : (((p.x - a.x) * dx) + ((p.y - a.y) * dy)) / length;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = a.x + (t * dx) - p.x;
    const double ey = a.y + (t * dy) - p.y;
    return (ex * ex) + (ey * ey);
}

double DistanceToRing(const std::vector<Point>& ring, Point p) {
    double nearest = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < ring.size(); ++i) {
        nearest =
            std::min(nearest, SquaredDistanceToSegment(p, ring[i], ring[(i + 1) % ring.size()]));
    }
    return std::sqrt(nearest);
}

} // namespace

MapError::MapError(int line, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ": " + what), m_line(line) {}

bool Inside(const std::vector<Point>& ring, Point point) {
    bool inside = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const Point a = ring[i];
        const Point b = ring[j];
        if ((a.y > point.y) != (b.y > point.y)) {
            const double crossing =
                a.x + (static_cast<double>(b.x - a.x) * (point.y - a.y) / (b.y - a.y));
            if (point.x < crossing) {
                inside = !inside;
            }
        }
    }
    return inside;
}

ProvinceMap ProvinceMap::Parse(std::string_view text) {
    ProvinceMap result;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '@') {
            std::string_view rest = line.substr(1);
            const Point pin = PointOf(NextWord(rest), number);
            result.m_pins.emplace_back(Quoted(rest, number), pin);
            continue;
        }
        result.m_provinces.push_back(ProvinceOf(line, number));
        if (result.Find(result.m_provinces.back().code) != result.Count() - 1) {
            throw MapError(number, "a second province " + result.m_provinces.back().code);
        }
    }
    if (result.m_provinces.empty()) {
        throw MapError(number, "no provinces");
    }
    result.Index();
    return result;
}

void ProvinceMap::Index() {
    // Borders: each edge, either way round, and who has it.
    std::map<std::pair<std::pair<int, int>, std::pair<int, int>>, std::set<int>> owners;
    m_topLeft = m_provinces.front().outline.front();
    m_bottomRight = m_topLeft;
    for (int index = 0; index < Count(); ++index) {
        const std::vector<Point>& ring = m_provinces[static_cast<std::size_t>(index)].outline;
        for (std::size_t i = 0; i < ring.size(); ++i) {
            auto a = std::pair(ring[i].x, ring[i].y);
            auto b = std::pair(ring[(i + 1) % ring.size()].x, ring[(i + 1) % ring.size()].y);
            owners[std::minmax(a, b)].insert(index);
            m_topLeft = {std::min(m_topLeft.x, ring[i].x), std::min(m_topLeft.y, ring[i].y)};
            m_bottomRight = {std::max(m_bottomRight.x, ring[i].x),
                             std::max(m_bottomRight.y, ring[i].y)};
        }
    }
    std::vector<std::set<int>> touching(m_provinces.size());
    for (const auto& [edge, who] : owners) {
        for (const int a : who) {
            for (const int b : who) {
                if (a != b) {
                    touching[static_cast<std::size_t>(a)].insert(b);
                }
            }
        }
    }
    m_neighbours.clear();
    for (const std::set<int>& set : touching) {
        m_neighbours.emplace_back(set.begin(), set.end());
    }
    m_inner.clear();
    m_room.clear();
    for (const Province& province : m_provinces) {
        const auto [left, right] =
            std::minmax_element(province.outline.begin(), province.outline.end(),
                                [](Point a, Point b) { return a.x < b.x; });
        const auto [top, bottom] =
            std::minmax_element(province.outline.begin(), province.outline.end(),
                                [](Point a, Point b) { return a.y < b.y; });
        // A coarse grid over the box, then a fine one around its best point.
        Point best = province.outline.front();
        double room = -1;
        const auto search = [&](Point from, Point to) {
            for (int i = 1; i < kGridSteps; ++i) {
                for (int j = 1; j < kGridSteps; ++j) {
                    const Point p{from.x + ((to.x - from.x) * i / kGridSteps),
                                  from.y + ((to.y - from.y) * j / kGridSteps)};
                    if (Inside(province.outline, p)) {
                        const double distance = DistanceToRing(province.outline, p);
                        if (distance > room) {
                            best = p;
                            room = distance;
                        }
                    }
                }
            }
        };
        search({left->x, top->y}, {right->x, bottom->y});
        const int cellX = std::max(1, (right->x - left->x) / kGridSteps);
        const int cellY = std::max(1, (bottom->y - top->y) / kGridSteps);
        const Point coarse = best;
        search({coarse.x - cellX, coarse.y - cellY}, {coarse.x + cellX, coarse.y + cellY});
        m_inner.push_back(best);
        m_room.push_back(std::max(room, 0.0));
    }
}

int ProvinceMap::Find(std::string_view code) const {
    const auto found = std::find_if(m_provinces.begin(), m_provinces.end(),
                                    [code](const Province& p) { return p.code == code; });
    return found == m_provinces.end() ? -1 : static_cast<int>(found - m_provinces.begin());
}

int ProvinceMap::FindByName(std::string_view name) const {
    const auto found = std::find_if(m_provinces.begin(), m_provinces.end(),
                                    [name](const Province& p) { return p.name == name; });
    return found == m_provinces.end() ? -1 : static_cast<int>(found - m_provinces.begin());
}

std::optional<Point> ProvinceMap::Pin(std::string_view settlement) const {
    while (!settlement.empty() && settlement.back() == ' ') {
        settlement.remove_suffix(1);
    }
    const auto found = std::find_if(m_pins.begin(), m_pins.end(), [settlement](const auto& pin) {
        return pin.first == settlement;
    });
    return found == m_pins.end() ? std::nullopt : std::optional(found->second);
}

int ProvinceMap::ProvinceAt(Point point) const {
    for (int index = 0; index < Count(); ++index) {
        if (Inside(m_provinces[static_cast<std::size_t>(index)].outline, point)) {
            return index;
        }
    }
    return -1;
}

int ProvinceMap::NeighbourToward(int province, int dx, int dy) const {
    const Point from = InnerPoint(province);
    int best = -1;
    // Within 60 degrees of the direction; the nearest to it wins.
    double bestCosine = 0.5;
    const double length = std::hypot(dx, dy);
    if (length == 0) {
        return -1;
    }
    for (const int neighbour : Neighbours(province)) {
        const Point to = InnerPoint(neighbour);
        const double distance = std::hypot(to.x - from.x, to.y - from.y);
        if (distance == 0) {
            continue;
        }
        const double cosine =
            (((to.x - from.x) * dx) + ((to.y - from.y) * dy)) / (distance * length);
        if (cosine > bestCosine) {
            best = neighbour;
            bestCosine = cosine;
        }
    }
    return best;
}

} // namespace map
