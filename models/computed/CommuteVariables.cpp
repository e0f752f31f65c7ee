#include "models/computed/CommuteVariables.h"

#include "data/CCommuteLOSRecord.h"
#include "data/CPersonObject.h"
#include "models/computed/ComputedVariableHelpers.h"
#include "models/computed/ComputedVariableServices.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"

using namespace ComputedVariableHelpers;

namespace {

// --- Commute level-of-service record ----------------------------------------

// The record of a person going to work or school; null for anyone else.
const CCommuteLOSRecord* WorkerRecord(const Frame& f) { return WorksOrStudies(f) ? CommuteRecord(f) : nullptr; }

// A value of the worker's record, widened to double; 0.0 without one.
template <typename Value>
double FromWorkerRecord(const Frame& f, Value value) {
    const CCommuteLOSRecord* r = WorkerRecord(f);
    return r != nullptr ? static_cast<double>(value(*r)) : 0.0;
}

// Walking or biking speed behind the commute walk/bike times: 0.05 distance
// units per minute.
constexpr double kWalkDistancePerMinute = 0.05;

// Home-work-home auto cost per unit of commute distance, in single precision;
// 0.0 for a zero distance (home and work in one zone without a distance).
double AutoCostPerDistance(const Frame& f) {
    const CCommuteLOSRecord* r = WorkerRecord(f);
    if (r == nullptr || r->m_fDistance == 0.0f) return 0.0;
    const float cost = (r->m_fReturnAutoCost + r->m_fOutboundAutoCost) / r->m_fDistance;
    return static_cast<double>(cost);
}

// Distance between the home and work zones; read without the flag test.
double CommuteDistance(const Frame& f) {
    const CCommuteLOSRecord* r = CommuteRecord(f);
    return r != nullptr ? static_cast<double>(r->m_fDistance) : 0.0;
}

// Auto travel time from home to the activity zone at the work start, for a
// worker whose work-to-home commute is by auto (driver alone, passenger or
// driver with passengers).
double AutoCommuteTimeForAutoCommuter(const Frame& f) {
    CWPattern* p = WorkerPatternOfWorker(f);
    const CTour* commute = TourInSlot(p, CWPattern::kWorkToHomeSlot);
    if (commute == nullptr || f.household == nullptr) return 0.0;
    const int mode = commute->GetMode();
    if (mode != 0 && mode != 1 && mode != 7) return 0.0;
    return ComputedVariableServices::LevelOfService(f.manager, 5, p->GetWorkStart(), f.homeZone,
                                                    f.person->GetActivityZone());
}

// --- Commute tours of the worker pattern ------------------------------------

// The work-to-home (slot 0) or home-to-work (slot 1) commute tour of the
// frame's worker pattern, with or without the flag test.
template <int Slot>
const CTour* Commute(const Frame& f) {
    return TourInSlot(WorkerPattern(f), Slot);
}
template <int Slot>
const CTour* WorkerCommute(const Frame& f) {
    return TourInSlot(WorkerPatternOfWorker(f), Slot);
}

template <int Slot, int Mode>
double CommuteModeIs(const Frame& f) {
    const CTour* t = Commute<Slot>(f);
    return Indicator(t != nullptr && t->GetMode() == Mode);
}
template <int Slot, int Mode>
double WorkerCommuteModeIs(const Frame& f) {
    const CTour* t = WorkerCommute<Slot>(f);
    return Indicator(t != nullptr && t->GetMode() == Mode);
}

double HomeToWorkByAuto(const Frame& f) {
    const CTour* t = WorkerCommute<CWPattern::kHomeToWorkSlot>(f);
    return Indicator(t != nullptr && (t->GetMode() == 7 || t->GetMode() == 0));
}

// Stops of a worker's commute before the return (the stop count less one).
template <int Slot>
double WorkerCommuteStops(const Frame& f) {
    const CTour* t = WorkerCommute<Slot>(f);
    return t != nullptr ? t->GetStopCount() - 1.0 : 0.0;
}

double FewWorkToHomeStops(const Frame& f) {
    const CTour* t = WorkerCommute<CWPattern::kWorkToHomeSlot>(f);
    return Indicator(t != nullptr && t->GetStopCount() - 1 < 3);
}

// Arrival at home after work; needs the work-to-home commute.
double ArrivalHomeAfterWork(const Frame& f) {
    CWPattern* p = WorkerPatternOfWorker(f);
    if (TourInSlot(p, CWPattern::kWorkToHomeSlot) == nullptr) return 0.0;
    return p->GetArrivalHomeAfterWork();
}

double AfterWorkAvailable(const Frame& f) {
    CWPattern* p = WorkerPatternOfWorker(f);
    if (TourInSlot(p, CWPattern::kWorkToHomeSlot) == nullptr) return 0.0;
    return 1440.0 - p->GetArrivalHomeAfterWork();
}

// Leaving home for work; needs the home-to-work commute.
double LeaveHomeForWork(const Frame& f) {
    CWPattern* p = WorkerPatternOfWorker(f);
    if (TourInSlot(p, CWPattern::kHomeToWorkSlot) == nullptr) return 0.0;
    return p->GetLeaveHomeForWork();
}

double WorkBasedAvailable(const Frame& f) {
    const CWPattern* p = WorkerPatternOfWorker(f);
    return p != nullptr ? p->GetWorkDuration() : 0.0;
}

// Duration of a commute tour of the worker pattern (no flag test).
double WorkToHomeDuration(const Frame& f) {
    CWPattern* p = WorkerPattern(f);
    return p != nullptr ? p->GetWorkToHomeDuration() : 0.0;
}
double HomeToWorkDuration(const Frame& f) {
    CWPattern* p = WorkerPattern(f);
    return p != nullptr ? p->GetHomeToWorkDuration() : 0.0;
}

constexpr int kWH = CWPattern::kWorkToHomeSlot;
constexpr int kHW = CWPattern::kHomeToWorkSlot;

using R = CCommuteLOSRecord;

constexpr ComputedVariableDefinition kRows[] = {
    // Commute times and costs from the level-of-service record.
    ComputedVariableRow(30017, [](const Frame& f) { return FromWorkerRecord(f, [](const R& r) { return r.m_fReturnAutoTime; }); }),
    ComputedVariableRow(30018, [](const Frame& f) { return FromWorkerRecord(f, [](const R& r) { return r.m_fOutboundAutoTime; }); }),
    ComputedVariableRow(30019, [](const Frame& f) {
        return FromWorkerRecord(f, [](const R& r) { return double(r.m_fReturnAutoTime) + double(r.m_fOutboundAutoTime); });
    }),
    ComputedVariableRow(30204, [](const Frame& f) {
        return FromWorkerRecord(f, [](const R& r) { return double(r.m_fReturnAutoTime) + 5.0; });
    }),
    ComputedVariableRow(30205, [](const Frame& f) {
        return FromWorkerRecord(f, [](const R& r) { return double(r.m_fOutboundAutoTime) + 5.0; });
    }),
    ComputedVariableRow(30206, [](const Frame& f) {
        return FromWorkerRecord(f, [](const R& r) { return double(r.m_fReturnAutoTime) + double(r.m_fOutboundAutoTime) + 10.0; });
    }),
    ComputedVariableRow(30207, [](const Frame& f) { return FromWorkerRecord(f, [](const R& r) { return r.m_fReturnTransitTime; }); }),
    ComputedVariableRow(30208, [](const Frame& f) { return FromWorkerRecord(f, [](const R& r) { return r.m_fOutboundTransitTime; }); }),
    ComputedVariableRow(30209, [](const Frame& f) {
        return FromWorkerRecord(f, [](const R& r) { return double(r.m_fReturnTransitTime) + double(r.m_fOutboundTransitTime); });
    }),
    ComputedVariableRow(30210, [](const Frame& f) {
        return FromWorkerRecord(f, [](const R& r) { return double(r.m_fDistance) / kWalkDistancePerMinute; });
    }),
    ComputedVariableRow(30211, [](const Frame& f) {
        return FromWorkerRecord(f, [](const R& r) { return double(r.m_fDistance) / kWalkDistancePerMinute; });
    }),
    ComputedVariableRow(30212, [](const Frame& f) {
        return FromWorkerRecord(f, [](const R& r) { return (2.0 * double(r.m_fDistance)) / kWalkDistancePerMinute; });
    }),
    ComputedVariableRow(30191, CommuteDistance),
    ComputedVariableRow(30317, [](const Frame& f) { return FromWorkerRecord(f, [](const R& r) { return r.m_fReturnAutoCost; }); }),
    ComputedVariableRow(30321, [](const Frame& f) { return FromWorkerRecord(f, [](const R& r) { return r.m_fReturnTransitCost; }); }),
    ComputedVariableRow(30326, [](const Frame& f) { return FromWorkerRecord(f, [](const R& r) { return r.m_fOutboundAutoCost; }); }),
    ComputedVariableRow(30339, AutoCostPerDistance),
    ComputedVariableRow(30069, AutoCommuteTimeForAutoCommuter),

    // Commute modes (home-to-work read without the flag test, as listed).
    ComputedVariableRow(30063, CommuteModeIs<kHW, 0>),
    ComputedVariableRow(30064, CommuteModeIs<kHW, 7>),
    ComputedVariableRow(30065, HomeToWorkByAuto),
    ComputedVariableRow(30066, CommuteModeIs<kHW, 1>),
    ComputedVariableRow(30067, CommuteModeIs<kHW, 3>),
    ComputedVariableRow(30068, CommuteModeIs<kHW, 2>),
    // A child's ride to and from school.
    ComputedVariableRow(30030, WorkerCommuteModeIs<kHW, 4>),
    ComputedVariableRow(30031, WorkerCommuteModeIs<kHW, 5>),
    ComputedVariableRow(30032, WorkerCommuteModeIs<kHW, 6>),
    ComputedVariableRow(30033, WorkerCommuteModeIs<kHW, 2>),
    ComputedVariableRow(30034, WorkerCommuteModeIs<kWH, 4>),
    ComputedVariableRow(30035, WorkerCommuteModeIs<kWH, 5>),
    ComputedVariableRow(30036, WorkerCommuteModeIs<kWH, 6>),
    ComputedVariableRow(30037, WorkerCommuteModeIs<kWH, 2>),

    // Commute stops and the periods of the working day.
    ComputedVariableRow(30070, WorkerCommuteStops<kWH>),
    ComputedVariableRow(30071, FewWorkToHomeStops),
    ComputedVariableRow(30072, WorkerCommuteStops<kHW>),
    ComputedVariableRow(30074, ArrivalHomeAfterWork),
    ComputedVariableRow(30152, ArrivalHomeAfterWork),
    ComputedVariableRow(30075, AfterWorkAvailable),
    ComputedVariableRow(30076, WorkBasedAvailable),
    ComputedVariableRow(30077, LeaveHomeForWork),
    ComputedVariableRow(30150, WorkToHomeDuration),
    ComputedVariableRow(30151, HomeToWorkDuration),
};

}  // namespace

ComputedVariableRows CommuteVariableRows() { return kRows; }
