#include "models/computed/ComputedVariableHelpers.h"

#include "data/CCommuteLOSRecord.h"
#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "schedules/CNWPattern.h"
#include "schedules/CPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"

#include <algorithm>

namespace ComputedVariableHelpers {

double HouseholdColumn(const CHouseholdObject* household, int column) {
    if (household == nullptr || column < 0 || column >= household->GetColumnCountOfRow()) return 0.0;
    return household->GetValue(column);
}

double PersonColumn(const CPersonObject* person, int column) {
    if (person == nullptr || column < 0 || column >= person->GetColumnCountOfRow()) return 0.0;
    return person->GetValue(column);
}

bool PersonFlag(const CPersonObject* person, int k) {
    if (person == nullptr || k < 0 || k >= CPersonObject::kFlagCount) return false;
    return person->GetFlag(k);
}

bool WorksOrStudies(const Frame& frame) { return PersonFlag(frame.person, 0); }

double ZoneColumn(const CInputDataManager* manager, int column, int zone) {
    if (manager == nullptr || column < 1) return 0.0;
    double value = 0.0;
    manager->GetZoneValue(value, column, zone);
    return value;
}

double HomeZoneColumn(const Frame& frame, int column) {
    if (frame.household == nullptr) return 0.0;
    return ZoneColumn(frame.manager, column, frame.homeZone);
}

CWPattern* WorkerPattern(const Frame& frame) { return dynamic_cast<CWPattern*>(frame.pattern); }

CNWPattern* NonWorkerPattern(const Frame& frame) { return dynamic_cast<CNWPattern*>(frame.pattern); }

CWPattern* WorkerPatternOfWorker(const Frame& frame) {
    return WorksOrStudies(frame) ? WorkerPattern(frame) : nullptr;
}

CWPattern* MemberWorkerPattern(const CPersonObject* member) {
    return member != nullptr ? dynamic_cast<CWPattern*>(member->GetPattern()) : nullptr;
}

CTour* TourInSlot(const CPattern* pattern, int slot) {
    return pattern != nullptr ? pattern->GetTourAt(slot) : nullptr;
}

CTour* NthTour(const CNWPattern* pattern, int k) {
    if (pattern == nullptr || k < 1 || k > static_cast<int>(pattern->GetTours().size())) return nullptr;
    return pattern->GetNthTour(k);
}

CStop* StopNumber(const CTour* tour, int k) {
    if (tour == nullptr || k < 1 || k > static_cast<int>(tour->GetStops().size())) return nullptr;
    return tour->GetStopByNumber(k);
}

int FilledStopsBeforeReturn(const CTour* tour) {
    if (tour == nullptr) return 0;
    const int held = static_cast<int>(tour->GetStops().size());
    return std::clamp(tour->GetStopCount() - 1, 0, held);
}

bool IsTourInHand(const Frame& frame, const CTour* candidate) {
    return frame.tour != nullptr && frame.tour == candidate;
}

bool TourInHandInSlots(const Frame& frame, const CWPattern* pattern, int firstSlot, int count) {
    if (frame.tour == nullptr || pattern == nullptr) return false;
    for (int slot = firstSlot; slot < firstSlot + count; ++slot)
        if (pattern->GetTourAt(slot) == frame.tour) return true;
    return false;
}

CTour* DiscretionaryTour(const Frame& frame) {
    return frame.person != nullptr ? frame.person->m_pDiscretionaryTour : nullptr;
}

namespace {

// Stops of the tour before its closing return, among those actually held, that
// are not the stop in hand and have the activity type.
int OtherStopsOfTour(const CTour* tour, const CStop* stopInHand, int activityType) {
    int count = 0;
    const int stops = FilledStopsBeforeReturn(tour);
    for (int k = 1; k <= stops; ++k) {
        const CStop* s = StopNumber(tour, k);
        if (s != nullptr && s != stopInHand && s->GetActivityType() == activityType) ++count;
    }
    return count;
}

}  // namespace

int CountOtherStopsOfDay(const Frame& frame, int activityType) {
    if (frame.person == nullptr) return 0;
    int count = 0;
    if (WorksOrStudies(frame)) {
        const CWPattern* p = WorkerPattern(frame);
        if (p == nullptr) return 0;
        for (int slot = 0; slot < CWPattern::kSlotCount; ++slot)
            count += OtherStopsOfTour(TourInSlot(p, slot), frame.stop, activityType);
    } else {
        const CNWPattern* p = NonWorkerPattern(frame);
        if (p == nullptr || frame.tour == nullptr) return 0;
        const int last = std::min(frame.tour->GetPosition(), static_cast<int>(p->GetTours().size()));
        for (int k = 1; k <= last; ++k) count += OtherStopsOfTour(NthTour(p, k), frame.stop, activityType);
    }
    return count;
}

const CCommuteLOSRecord* CommuteRecord(const Frame& frame) {
    return frame.person != nullptr ? frame.person->GetCommuteRecord() : nullptr;
}

}  // namespace ComputedVariableHelpers
