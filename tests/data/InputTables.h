#pragma once
// Small input databases for the input-data tests: the six input tables and one
// level-of-service table, with their columns in the positions the simulation
// reads them (households: 0 hid, 3 zone_id, 5 household type; persons: 0 hid,
// 1 person number, 2 employed, 3 student, 5 and 6 zones, 7 female, 8 age, ...
// up to column 52).

#include "platform/NumberText.h"
#include "support/TestDatabase.h"

#include <string>

namespace InputTables {

inline std::string PersonColumns() {
    std::string columns =
        "hid DOUBLE PRECISION, pnum DOUBLE PRECISION, employed DOUBLE PRECISION, student DOUBLE PRECISION, "
        "p4 DOUBLE PRECISION, workzone DOUBLE PRECISION, schoolzone DOUBLE PRECISION, female DOUBLE PRECISION, "
        "age DOUBLE PRECISION, parent DOUBLE PRECISION";
    for (int c = 10; c <= 52; ++c) columns += ", p" + NumberText::Integer(c) + " DOUBLE PRECISION";
    return columns;
}

// A person row: the first columns given, the rest up to column 52 zero.
inline std::string PersonRow(int hid, int pnum, int employed, int student, int workZone, int female, double age,
                             int column52 = 0, int column6 = 0) {
    std::string row = NumberText::Integer(hid) + ", " + NumberText::Integer(pnum) + ", " + NumberText::Integer(employed) + ", " +
                      NumberText::Integer(student) + ", 0, " + NumberText::Integer(workZone) + ", " +
                      NumberText::Integer(column6) + ", " + NumberText::Integer(female) + ", " + NumberText::Shortest(age) + ", 0";
    for (int c = 10; c < 52; ++c) row += ", 0";
    row += ", " + NumberText::Integer(column52);
    return "(" + row + ")";
}

// Creates the tables; losdir names los_am (up to 540) and los_day (up to 1440).
inline void Create(TestDatabase& db, bool withVehicleMake = true, bool withLosRows = true) {
    db.Execute(
        "CREATE TABLE households (hid DOUBLE PRECISION, h1 DOUBLE PRECISION, vehicles DOUBLE PRECISION, "
        "zone_id DOUBLE PRECISION, h4 DOUBLE PRECISION, hhtype DOUBLE PRECISION, h6 DOUBLE PRECISION, "
        "income DOUBLE PRECISION, h8 DOUBLE PRECISION, npersons DOUBLE PRECISION)");
    db.Execute(
        "INSERT INTO households VALUES (1, 0, 1, 30, 0, 7, 0, 50, 0, 3), (2, 0, 2, 10, 0, 3.5, 0, 60, 0, 1), "
        "(3, 0, 0, 20, 0, 1, 0, 70, 0, 0), (4, 0, 1, 10, 0, 2, 0, 80, 0, 1), (5, 0, 1, 20, 0, 4, 0, 90, 0, 1)");
    db.Execute("CREATE TABLE persons (" + PersonColumns() + ")");
    db.Execute("INSERT INTO persons VALUES " + PersonRow(1, 1, 1, 0, 20, 1, 40) + ", " +
               PersonRow(1, 2, 0, 1, 20, 0, 10) + ", " + PersonRow(1, 3, 0, 0, 0, 1, 35) + ", " +
               PersonRow(2, 1, 1, 0, 30, 0, 50) + ", " + PersonRow(4, 1, 0, 1, 10, 1, 22, 20, 14) + ", " +
               PersonRow(5, 1, 0, 0, 0, 0, 70));
    db.Execute(
        "CREATE TABLE zones (zid DOUBLE PRECISION, area DOUBLE PRECISION, jobs DOUBLE PRECISION, "
        "density DOUBLE PRECISION)");
    db.Execute("INSERT INTO zones VALUES (10, 1.5, 100, 7), (20, 2.5, 200, 8), (30, 3.5, 300, 9)");
    db.Execute(
        "CREATE TABLE zone2zone (orig_zon DOUBLE PRECISION, dest_zon DOUBLE PRECISION, adjacent DOUBLE PRECISION, "
        "distance DOUBLE PRECISION)");
    db.Execute("INSERT INTO zone2zone VALUES (10, 10, 1, 0.5), (10, 20, 1, 2.0), (20, 10, 1, 2.0), (20, 20, 1, 0.4)");
    db.Execute("CREATE TABLE losdir (end_t DOUBLE PRECISION, tbname VARCHAR(64))");
    if (withLosRows) db.Execute("INSERT INTO losdir VALUES (1440, 'los_day'), (540, 'los_am')");
    for (const char* table : {"los_am", "los_day"}) {
        db.Execute(std::string("CREATE TABLE ") + table +
                   " (orig_zon DOUBLE PRECISION, dest_zon DOUBLE PRECISION, c2 DOUBLE PRECISION, "
                   "adjacent DOUBLE PRECISION, c4 DOUBLE PRECISION, autotime DOUBLE PRECISION)");
        db.Execute(std::string("INSERT INTO ") + table + " VALUES (10, 20, 0, 1, 0, 12.5)");
    }
    if (withVehicleMake) {
        db.Execute(
            "CREATE TABLE VehicleMake (type DOUBLE PRECISION, age DOUBLE PRECISION, maketype DOUBLE PRECISION, "
            "share DOUBLE PRECISION)");
        // Key 35 comes in two separate runs; only the first run counts.
        db.Execute(
            "INSERT INTO VehicleMake VALUES (3, 5, 1, 0.5), (3, 5, 2, 0.5), (1, 2, 1, 1.0), (3, 5, 9, 0.9), "
            "(2, 1, 4, 0.25)");
    }
}

}  // namespace InputTables
