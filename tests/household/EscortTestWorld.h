#pragma once
// A household with children on a small generated region, wired up as a worker
// thread's loop wires it (input-data manager with the level-of-service tables,
// model system, current simulator). The region's first household of three or
// more members is reshaped: member 1 a parent who neither works nor studies,
// members 2 and 3 schoolchildren (school from 480 for 400 minutes, school zone
// OtherZone() in column 6). The models have empty terms until a test sets them
// (WorkerDay's helpers fix a model's outcome).

#include "support/TestDatabase.h"

#include "data/CInputDataManager.h"
#include "household/CoupleWChildrenHH.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"

#include <memory>
#include <string>
#include <vector>

class CHouseholdObject;
class CPersonObject;
class CBLogitMM;
class CEpisodeRecord;

class EscortTestWorld {
public:
    explicit EscortTestWorld(const std::string& kind);
    ~EscortTestWorld();

    CHouseholdObject& Household() const { return *m_pHousehold; }
    CPersonObject* Adult() const;
    CPersonObject* Child(int i) const;  // i = 1 or 2
    int HomeZone() const;
    int OtherZone() const;

    // The binary logit always answers yes (or always no).
    static void Answers(CBLogitMM& model, bool yes);
    // Both children in one episode at the time, served by the adult.
    void AddEpisode(std::vector<CEpisodeRecord>& list, double time);

    CModelSystem models;
    CInputDataManager manager;
    CoupleWChildrenHH simulator{&models};

private:
    std::unique_ptr<TestDatabase> m_db;
    CDatabase m_connection;
    CHouseholdObject* m_pHousehold = nullptr;
};
