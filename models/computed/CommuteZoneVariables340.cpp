// Computed variables of the person's commute level-of-service record and of
// the zone-to-zone and level-of-service values between the home zone and the
// activity zones of the person and of the household's employed members.

#include "models/computed/Variables340.h"

#include <algorithm>

#include "data/CCommuteLOSRecord.h"
#include "models/computed/ComputedVariableServices.h"
#include "models/computed/Variables340Helpers.h"

using namespace ComputedVariableHelpers;
using namespace Variables340Helpers;

namespace {

// --- Commute level-of-service record ----------------------------------------------

using RecordField = double (*)(const CCommuteLOSRecord&);

// A field of the person's record, read whatever the person's day (a record that
// was never filled holds zeros).
template <RecordField Field>
double FromRecord(const Frame& f) {
    const CCommuteLOSRecord* r = CommuteRecord(f);
    return r != nullptr ? Field(*r) : 0.0;
}

// A field of the record of a person going to work or school; 0.0 for anyone else.
template <RecordField Field>
double FromWorkerRecord(const Frame& f) {
    return WorksOrStudies(f) ? FromRecord<Field>(f) : 0.0;
}

double ReturnAutoTime(const CCommuteLOSRecord& r) { return r.m_fReturnAutoTime; }          // field 0
double ReturnColumn6(const CCommuteLOSRecord& r) { return r.m_fReturnColumn6; }            // field 1
double ReturnAutoCost(const CCommuteLOSRecord& r) { return r.m_fReturnAutoCost; }          // field 2
double ReturnColumn12(const CCommuteLOSRecord& r) { return r.m_fReturnColumn12; }          // field 3
double ReturnColumn13(const CCommuteLOSRecord& r) { return r.m_fReturnColumn13; }          // field 5
double ReturnTransitTime(const CCommuteLOSRecord& r) { return r.m_fReturnTransitTime; }    // field 7
double ReturnColumn9(const CCommuteLOSRecord& r) { return r.m_fReturnColumn9; }            // field 8
double ReturnTransitCost(const CCommuteLOSRecord& r) { return r.m_fReturnTransitCost; }    // field 9
double ReturnColumn4(const CCommuteLOSRecord& r) { return r.m_fReturnColumn4; }            // field 16
double OutboundAdjacent(const CCommuteLOSRecord& r) { return r.m_fOutboundAdjacent; }      // field 17

// Outbound auto cost per unit of commute distance, divided in single
// precision; 0.0 for a zero distance (home and activity zone without one).
double OutboundAutoCostPerDistance(const CCommuteLOSRecord& r) {
    if (r.m_fDistance == 0.0f) return 0.0;
    return static_cast<double>(r.m_fOutboundAutoCost / r.m_fDistance);
}

// Home-work-home transit cost per unit of commute distance; 0.0 for a zero distance.
double TransitCostPerDistance(const CCommuteLOSRecord& r) {
    if (r.m_fDistance == 0.0f) return 0.0;
    return (static_cast<double>(r.m_fReturnTransitCost) * 2.0) / static_cast<double>(r.m_fDistance);
}

// A cost of the record per thousand of household income, the income taken at
// least at the floor; 0.0 without a household.
template <RecordField Field>
double PerIncome(const Frame& f) {
    if (f.household == nullptr) return 0.0;
    return FromRecord<Field>(f) / std::max(Income(f), kIncomeFloor);
}

// --- Zones ---------------------------------------------------------------------------

// zone2zone column from the home zone to the person's activity zone.
template <int Column>
double HomeToActivityZone(const Frame& f) {
    if (f.household == nullptr || f.person == nullptr) return 0.0;
    return ComputedVariableServices::ZoneToZone(f.manager, Column, f.homeZone, f.person->GetActivityZone());
}

double MeanWorkDistanceOfMembers(const Frame& f) {
    return Variables340::MeanWorkDistance(f, ComputedVariableServices::LevelOfService);
}

constexpr ComputedVariableDefinition kRows[] = {
    // The record of a person going to work or school.
    ComputedVariableRow(30340, FromWorkerRecord<OutboundAutoCostPerDistance>),
    ComputedVariableRow(30341, FromWorkerRecord<TransitCostPerDistance>),
    ComputedVariableRow(30574, FromWorkerRecord<ReturnColumn4>),
    ComputedVariableRow(30575, FromWorkerRecord<OutboundAdjacent>),
    ComputedVariableRow(30576, FromWorkerRecord<ReturnAutoTime>),

    // The record of any person.
    ComputedVariableRow(30901, FromRecord<OutboundAdjacent>),
    ComputedVariableRow(30902, FromRecord<ReturnAutoTime>),
    ComputedVariableRow(30903, FromRecord<ReturnAutoCost>),
    ComputedVariableRow(30904, FromRecord<ReturnTransitTime>),
    ComputedVariableRow(30905, FromRecord<ReturnColumn9>),
    ComputedVariableRow(30906, FromRecord<ReturnTransitCost>),
    ComputedVariableRow(30916, FromRecord<ReturnColumn6>),
    ComputedVariableRow(30917, FromRecord<ReturnColumn12>),
    ComputedVariableRow(30918, FromRecord<ReturnColumn13>),
    ComputedVariableRow(30919, PerIncome<ReturnAutoCost>),
    ComputedVariableRow(30920, PerIncome<ReturnColumn13>),

    // Home and activity zones.
    ComputedVariableRow(30650, HomeToActivityZone<2>),
    ComputedVariableRow(30660, HomeToActivityZone<3>),
    ComputedVariableRow(30700, MeanWorkDistanceOfMembers),
};

}  // namespace

namespace Variables340 {

double MeanWorkDistance(const Frame& f, LevelOfServiceLookup levelOfService) {
    // Level-of-service column 4 at 9:00, the value the fleet simulation also reads.
    constexpr int kColumn = 4;
    constexpr double kMorning = 540.0;
    if (levelOfService == nullptr) return 0.0;
    double sum = 0.0;
    int count = 0;
    ForEachMember(f, [&](const CPersonObject* member, int) {
        if (PersonColumn(member, kEmployedColumn) == 0.0) return;
        sum += levelOfService(f.manager, kColumn, kMorning, f.homeZone, member->GetActivityZone());
        ++count;
    });
    return count > 0 ? sum / count : 0.0;
}

}  // namespace Variables340

ComputedVariableRows CommuteZoneVariable340Rows() { return kRows; }
