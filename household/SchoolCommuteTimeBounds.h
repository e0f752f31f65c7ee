#pragma once
// Bounds of a schoolchild's predicted ride time to or from school, by the
// school mode of the commute: a walk or bike ride, a ride with a parent or
// someone else, and the school bus each have their own range.

#include <optional>

namespace SchoolCommuteTimeBounds {

enum class Direction { SchoolToHome, HomeToSchool };

// Lowest and highest ride time in minutes.
struct Range {
    double lower;
    double upper;
};

// The range of a school mode (2, 4, 5, 6) in the direction; none for any other
// mode, whose ride time is the fixed kUnboundedModeMinutes.
std::optional<Range> RangeOf(Direction direction, int schoolMode);

// Ride time of a commute whose mode has no range.
constexpr double kUnboundedModeMinutes = 3.0;

}  // namespace SchoolCommuteTimeBounds
