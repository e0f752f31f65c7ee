#include "household/SchoolCommuteTimeBounds.h"

#include <array>

namespace {

using SchoolCommuteTimeBounds::Direction;
using SchoolCommuteTimeBounds::Range;

struct Row {
    Direction direction;
    int schoolMode;
    Range range;
};

// School modes: 2 walk or bike, 4 driven by a parent, 5 driven by someone
// else, 6 school bus.
constexpr std::array<Row, 8> kRows = {{
    {Direction::SchoolToHome, 4, {5.0, 45.0}},
    {Direction::SchoolToHome, 5, {5.0, 45.0}},
    {Direction::SchoolToHome, 6, {10.0, 60.0}},
    {Direction::SchoolToHome, 2, {3.5, 35.0}},
    {Direction::HomeToSchool, 4, {3.0, 30.0}},
    {Direction::HomeToSchool, 5, {3.0, 30.0}},
    {Direction::HomeToSchool, 6, {10.0, 65.0}},
    {Direction::HomeToSchool, 2, {4.0, 30.0}},
}};

}  // namespace

std::optional<Range> SchoolCommuteTimeBounds::RangeOf(Direction direction, int schoolMode) {
    for (const Row& row : kRows)
        if (row.direction == direction && row.schoolMode == schoolMode) return row.range;
    return std::nullopt;
}
