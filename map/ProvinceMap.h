// SPDX-License-Identifier: MIT
// Bulgaria's 28 provinces as outlines on a plane: where each is, which touch, which is under a
// point.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace map {

// Map units: a thousandth of a degree of latitude, x east, y south.
struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Province {
    std::string code;           // ISO 3166-2, "BG-01" to "BG-28"
    std::string name;           // "Благоевград", "София (столица)", ...
    std::vector<Point> outline; // one ring, not closed: the last point joins the first
};

// A map file that cannot be read: the line and what is wrong with it.
class MapError : public std::runtime_error {
public:
    MapError(int line, const std::string& what);
    [[nodiscard]] int Line() const { return m_line; }

private:
    int m_line;
};

class ProvinceMap {
public:
    // Reads the text of a map file: comment lines starting with '#', then a line a province,
    // its code, its name in quotes and its ring as the first point and the steps to the next;
    // then a line a pin, "@", its point and its settlement's name in quotes.
    [[nodiscard]] static ProvinceMap Parse(std::string_view text);

    [[nodiscard]] const std::vector<Province>& Provinces() const { return m_provinces; }
    [[nodiscard]] int Count() const { return static_cast<int>(m_provinces.size()); }
    // The province's position, or -1.
    [[nodiscard]] int Find(std::string_view code) const;
    [[nodiscard]] int FindByName(std::string_view name) const;
    // The province under the point, or -1 outside them all.
    [[nodiscard]] int ProvinceAt(Point point) const;
    // The provinces that share a stretch of border with it, in their order.
    [[nodiscard]] const std::vector<int>& Neighbours(int province) const {
        return m_neighbours.at(static_cast<std::size_t>(province));
    }
    // A point well inside the province, as far from its border as a fine grid finds: where
    // its name and pin go, and where a test clicks.
    [[nodiscard]] Point InnerPoint(int province) const {
        return m_inner.at(static_cast<std::size_t>(province));
    }
    // How far the inner point is from the border: how much room the name has.
    [[nodiscard]] double InnerRoom(int province) const {
        return m_room.at(static_cast<std::size_t>(province));
    }
    // The neighbour the direction (an arrow key's: dx, dy of -1, 0 or 1) leads to from the
    // province, by the directions between their inner points; -1 where none lies that way.
    [[nodiscard]] int NeighbourToward(int province, int dx, int dy) const;
    // Where the settlement is, where a source gives it.
    [[nodiscard]] std::optional<Point> Pin(std::string_view settlement) const;
    // The corners of the box around every province.
    [[nodiscard]] Point TopLeft() const { return m_topLeft; }
    [[nodiscard]] Point BottomRight() const { return m_bottomRight; }

private:
    void Index();

    std::vector<Province> m_provinces;
    std::vector<std::pair<std::string, Point>> m_pins;
    std::vector<std::vector<int>> m_neighbours;
    std::vector<Point> m_inner;
    std::vector<double> m_room;
    Point m_topLeft;
    Point m_bottomRight;
};

// Whether the point is inside the ring (even-odd).
[[nodiscard]] bool Inside(const std::vector<Point>& ring, Point point);

} // namespace map
