#include "models/computed/StopVariables.h"

#include "models/computed/ComputedVariableHelpers.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"

using namespace ComputedVariableHelpers;

namespace {

// --- Stop in hand ------------------------------------------------------------

template <int Number>
double StopNumberIs(const Frame& f) {
    return Indicator(f.stop != nullptr && f.stop->GetStopNumber() == Number);
}

template <int ActivityType>
double ActivityIs(const Frame& f) {
    return Indicator(f.stop != nullptr && f.stop->GetActivityType() == ActivityType);
}

template <double (CStop::*Field)() const>
double StopField(const Frame& f) {
    return f.stop != nullptr ? (f.stop->*Field)() : 0.0;
}

// --- Activity counters ---------------------------------------------------------

// Other stops of the person's day with the activity type: over every tour of a
// worker's pattern, or over a non-worker's tours up to the tour in hand.
template <int ActivityType>
double ActivityCounter(const Frame& f) {
    return CountOtherStopsOfDay(f, ActivityType);
}

// --- A child's discretionary tour ----------------------------------------------

const CStop* DiscretionaryStop(const Frame& f) { return StopNumber(DiscretionaryTour(f), 1); }

template <int Mode>
double DiscretionaryModeIs(const Frame& f) {
    const CTour* t = DiscretionaryTour(f);
    return Indicator(t != nullptr && t->GetMode() == Mode);
}

double DiscretionaryActivityDuration(const Frame& f) {
    const CStop* s = DiscretionaryStop(f);
    return s != nullptr ? s->GetActivityDuration() : 0.0;
}

double DiscretionaryTravelTime(const Frame& f) {
    const CStop* s = DiscretionaryStop(f);
    return s != nullptr ? s->GetTravelTime() : 0.0;
}

constexpr ComputedVariableDefinition kRows[] = {
    // Number of the stop in hand.
    ComputedVariableRow(30109, StopNumberIs<1>),
    ComputedVariableRow(30228, StopNumberIs<1>),
    ComputedVariableRow(30110, StopNumberIs<2>),
    ComputedVariableRow(30229, StopNumberIs<2>),
    ComputedVariableRow(30111, StopNumberIs<3>),
    ComputedVariableRow(30112, StopNumberIs<4>),
    ComputedVariableRow(30113, StopNumberIs<5>),

    // Activity at the stop in hand, and on the person's other stops.
    ComputedVariableRow(30114, ActivityIs<8>),
    ComputedVariableRow(30115, ActivityIs<0>),
    ComputedVariableRow(30116, ActivityIs<2>),
    ComputedVariableRow(30117, ActivityIs<1>),
    ComputedVariableRow(30118, ActivityIs<3>),
    ComputedVariableRow(30119, ActivityIs<4>),
    ComputedVariableRow(30120, ActivityCounter<8>),
    ComputedVariableRow(30121, ActivityCounter<0>),
    ComputedVariableRow(30122, ActivityCounter<2>),
    ComputedVariableRow(30123, ActivityCounter<1>),
    ComputedVariableRow(30124, ActivityCounter<3>),
    ComputedVariableRow(30125, ActivityCounter<4>),

    // Times of the stop in hand.
    ComputedVariableRow(30126, StopField<&CStop::GetRemainingWindow>),
    ComputedVariableRow(30127, StopField<&CStop::GetTimeLeft>),
    ComputedVariableRow(30128, StopField<&CStop::GetActivityDuration>),
    ComputedVariableRow(30162, StopField<&CStop::GetActivityDuration>),
    ComputedVariableRow(30129, StopField<&CStop::GetTravelTime>),
    ComputedVariableRow(30163, StopField<&CStop::GetTravelTime>),

    // A child's discretionary tour.
    ComputedVariableRow(30153, DiscretionaryModeIs<2>),
    ComputedVariableRow(30154, DiscretionaryModeIs<5>),
    ComputedVariableRow(30155, DiscretionaryTourDeparture),
    ComputedVariableRow(30156, DiscretionaryActivityDuration),
    ComputedVariableRow(30157, DiscretionaryTravelTime),
};

}  // namespace

double DiscretionaryTourDeparture(const CVariableEvaluator::Frame& frame) {
    const CStop* s = DiscretionaryStop(frame);
    return s != nullptr ? s->GetDepartureTime() : 0.0;
}

ComputedVariableRows StopVariableRows() { return kRows; }
