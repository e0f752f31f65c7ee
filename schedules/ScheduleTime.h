#pragma once
// Time-of-day constants shared by patterns, tours and stops. Every schedule
// time is a double in minutes from the start of the simulated day.

namespace schedule_time {

// Length of the simulated day in minutes; a closing stop with "the rest of the
// day" lasts until this minute.
inline constexpr double kMinutesInDay = 1440.0;

}  // namespace schedule_time
