#pragma once
// Columns of the level-of-service tables and of zone2zone that the household
// simulation reads by position.

namespace LOSColumns {

// level-of-service tables
constexpr int kAutoTime = 5;
constexpr int kTransitAvailable = 7;  // 1.0 when transit serves the pair
constexpr int kTransitInVehicleTime = 8;
constexpr int kTransitOutOfVehicleTime = 9;

// zone2zone
constexpr int kDistance = 3;

}  // namespace LOSColumns
