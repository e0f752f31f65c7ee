#pragma once
// Constant tables of the primary-driver choice: the scale entry by vehicle
// type and group, and the explanatory variables 30701 to 30784 of a driver
// candidate, each a condition on the candidate's person columns times a sum of
// columns of the vehicle's make row.

#include <span>

// Which of the three scale coefficients (90032, 90033, 90034: entry 0, 1, 2)
// the driver draw of a vehicle of this type (1 to 9) and group (1 to 6) uses;
// entry 2 for any other type or group.
int PrimaryDriverScaleEntry(int type, int group);

// The person condition of a primary-driver variable.
enum class DriverPersonCondition {
    Over65,          // column 8 > 65
    Column2,         // column 2 != 0
    Column58,        // column 58 != 0
    Column24,        // column 24 != 0
    NoColumn13,      // column 13 == 0
    Column13,        // column 13 != 0
    Column10,        // column 10 != 0
    Column57,        // column 57 != 0
    Age15To26,       // 15 < column 8 < 26
    Age25To41,       // 25 < column 8 < 41
    Age41To66,       // 41 < column 8 < 66
    NotShortCommute, // w: 0 for an employed adult (column 2 = 1, column 8 > 16) whose commute record's travel value is at least 10.0, else 1
};

struct PrimaryDriverVariable {
    int id;                           // variable ID, 30701 to 30784
    DriverPersonCondition condition;
    int columns[4];                   // make-row columns summed; -1 ends the list
};

// The variables that have a value; every other ID reads 0.0.
std::span<const PrimaryDriverVariable> PrimaryDriverVariables();
// The row of a variable ID, or null.
const PrimaryDriverVariable* FindPrimaryDriverVariable(int id);
