#pragma once
// A household with children on a small generated region, wired up as a worker
// thread's household loop wires it (connection, input-data manager with the
// level-of-service tables, model system, current simulator), for the tests of
// the escort tours and the children's travel. The region's first household of
// three or more members is taken and reshaped: member 1 an adult parent who
// neither works nor studies (a non-worker pattern), members 2 and 3
// schoolchildren (worker patterns with their commute tours, school from 480 for
// 400 minutes, school zone in column 6). Every model of the system has empty
// terms until a test gives it some.

#include "support/TestDatabase.h"

#include "data/CInputDataManager.h"
#include "household/CoupleWChildrenHH.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"

#include <memory>
#include <string>

class CHouseholdObject;
class CPersonObject;
class CRegressMM;
class CBLogitMM;

class EscortTestWorld {
public:
    explicit EscortTestWorld(const std::string& kind);
    ~EscortTestWorld();

    CHouseholdObject& Household() const { return *m_pHousehold; }
    CPersonObject* Adult() const;
    CPersonObject* Child(int i) const;  // i = 1 or 2
    int HomeZone() const;
    // A zone of the region other than the home zone.
    int OtherZone() const;

    // The regression's floor(exp(y)) is the minutes (constant term, no variance).
    static void Predicts(CRegressMM& model, double minutes);
    // The binary logit always answers yes (or always no).
    static void Answers(CBLogitMM& model, bool yes);

    CModelSystem models;
    CInputDataManager manager;
    CoupleWChildrenHH simulator{&models};

private:
    std::unique_ptr<TestDatabase> m_db;
    CDatabase m_connection;
    CHouseholdObject* m_pHousehold = nullptr;
};
