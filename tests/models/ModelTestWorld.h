#pragma once
// A small household world for model tests: one household of two persons with
// their patterns, tours and stops, read from a scratch database, and two
// input-data managers whose zone tables differ, so that a test can tell which
// manager an evaluation read.
//
// Household 501 (columns hid, c1, c2, hzone, c4, htype, c6): home zone 7.
// Person 1: employed, not a student, person column 5 = 8 (activity zone 8),
//   age 40, flag 0 set: a worker pattern with its two commute tours; the
//   home-to-work commute (slot 1) holds one stop.
// Person 2: a student who is not employed, columns 6 = 2 and 52 = 9 (activity
//   zone 9), age 12, flag 0 clear: a non-worker pattern with one tour of one stop.
// Zones "zones" (manager A, the household's): zone z has column 1 = 10 z - 59
//   (zone 7: 11, 8: 21, 9: 31) and column 2 = column 1 + 1.5.
// Zones "zones_b" (manager B): zone 7: 99 / 98, zone 8: 88 / 87, zone 9: 77 / 76.

#include "support/TestDatabase.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "platform/CDatabase.h"

#include <memory>
#include <string>

class CWPattern;
class CNWPattern;
class CTour;
class CStop;

class ModelTestWorld {
public:
    explicit ModelTestWorld(const std::string& kind);
    ~ModelTestWorld();

    CInputDataManager managerA;
    CInputDataManager managerB;
    std::unique_ptr<CHouseholdObject> household;

    CPersonObject* worker() const { return household->GetPerson(1); }
    CPersonObject* student() const { return household->GetPerson(2); }
    CWPattern* workerPattern() const;
    CNWPattern* studentPattern() const;
    CTour* workerCommute() const;   // slot 1 of the worker pattern
    CStop* workerStop() const;      // its stop 1
    CTour* studentTour() const;     // tour 1 of the non-worker pattern
    CStop* studentStop() const;     // its stop 1

private:
    std::unique_ptr<TestDatabase> m_db;
    CDatabase m_connection;
};
