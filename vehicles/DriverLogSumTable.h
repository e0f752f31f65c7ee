#pragma once
// The driver utility terms and the scales of the driver log-sum of the 54
// vehicle alternatives, as constant rows. A term row names the position of its
// coefficient in the "LogSum Primary Driver" coefficient vector d (variable ID
// 90001 + position), the condition a driver candidate must meet and the
// alternatives it belongs to; a candidate's driver utility for an alternative
// is the sum over the rows that contain the alternative and whose condition
// the candidate meets. A coefficient may stand in two rows of one alternative
// and is then added twice by a candidate meeting both: d[27] (column 57 in
// group indices 0 to 2, short commute in type index 5) and d[11] (column 7 in
// group indices 3 to 5, column 10 in group index 3).

#include "vehicles/VehicleAlternatives.h"

#include <span>

enum class DriverCondition {
    Worker,        // goes to work (flag 0 set, flag 1 clear)
    Column7,
    Column10,
    Column57,
    Age16To25,     // 16 <= age <= 25
    Age26To40,     // 26 <= age <= 40
    Age41To65,     // 41 <= age <= 65
    ShortCommute,  // a commute value that is present and at most 10.0
};
inline constexpr int kDriverConditionCount = 8;

struct DriverLogSumTerm {
    int coefficient;  // position in d
    DriverCondition condition;
    VehicleAlternatives::Mask types;
    VehicleAlternatives::Mask groups;
};

std::span<const DriverLogSumTerm> DriverLogSumTerms();

// The scale of the driver log-sum of alternative (type index, group index):
// the position in d of its scale coefficient (31, 32 or 33), or -1 where the
// scale is 1.0. Indices outside the alternatives give -1.
int DriverLogSumScalePosition(int typeIndex, int groupIndex);
