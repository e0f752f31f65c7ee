#pragma once
// One vehicle of the household's fleet: the vehicle type and group drawn by the
// fleet simulation, then the make and the primary driver chosen for it. Kept by
// value in the household's vehicle list and written to the vehicle output in
// field order.

class CVehicleRecord {
public:
    // Make and primary driver are still unset (-1).
    CVehicleRecord() = default;
    CVehicleRecord(int type, int group);

    // Vehicle type, 1 to 9.
    int m_type = 0;
    // Vehicle group, 1 to 6; with the type it keys the vehicle-make rows (type x 10 + group).
    int m_group = 0;
    // Position of the chosen make among the make rows of the vehicle's key; -1 until chosen.
    int m_make = -1;
    // Position (1-based) of the primary driver in the person list; -1 until chosen.
    int m_primaryDriver = -1;
};
