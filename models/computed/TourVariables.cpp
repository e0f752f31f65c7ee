#include "models/computed/TourVariables.h"

#include "models/computed/ComputedVariableHelpers.h"
#include "schedules/CNWPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"

using namespace ComputedVariableHelpers;

namespace {

constexpr int kBeforeWork = CWPattern::kFirstBeforeWorkSlot;
constexpr int kWorkBased = CWPattern::kFirstWorkBasedSlot;
constexpr int kAfterWork = CWPattern::kFirstAfterWorkSlot;
constexpr int kPeriod = CWPattern::kToursPerPeriod;

// --- Tour in hand ----------------------------------------------------------

bool PositionIs(const Frame& f, int position) { return f.tour != nullptr && f.tour->GetPosition() == position; }

template <int A, int B, int C>
double PositionIn(const Frame& f) {
    return Indicator(PositionIs(f, A) || PositionIs(f, B) || PositionIs(f, C));
}

template <int Mode>
double ModeIs(const Frame& f) {
    return Indicator(f.tour != nullptr && f.tour->GetMode() == Mode);
}

template <int A, int B, int C = A>
double ModeIn(const Frame& f) {
    if (f.tour == nullptr) return 0.0;
    const int mode = f.tour->GetMode();
    return Indicator(mode == A || mode == B || mode == C);
}

// Stops of the tour in hand before its return home (stop count less one).
double StopsBeforeReturn(const Frame& f) { return f.tour != nullptr ? f.tour->GetStopCount() - 1.0 : 0.0; }

template <int N>
double StopsExactly(const Frame& f) {
    return Indicator(f.tour != nullptr && f.tour->GetStopCount() - 1 == N);
}
template <int N>
double StopsAtLeast(const Frame& f) {
    return Indicator(f.tour != nullptr && f.tour->GetStopCount() - 1 >= N);
}

double FirstStopDeparture(const Frame& f) {
    const CStop* s = StopNumber(f.tour, 1);
    return s != nullptr ? s->GetDepartureTime() : 0.0;
}

// An escort stop (10 drop-off, 11 pick-up) opens the tour of a person who
// neither works nor goes to school.
template <int ActivityType>
double OpensWithEscort(const Frame& f) {
    if (f.person == nullptr || WorksOrStudies(f)) return 0.0;
    const CStop* s = StopNumber(f.tour, 1);
    return Indicator(s != nullptr && s->GetActivityType() == ActivityType);
}

// --- Periods of the worker pattern ------------------------------------------------

double AfterWorkTourCount(const Frame& f) {
    const CWPattern* p = WorkerPatternOfWorker(f);
    return p != nullptr ? p->GetAfterWorkTourCount() : 0.0;
}

// The worker pattern's tour in the slot is the tour in hand.
template <int Slot>
double WorkerTourInSlot(const Frame& f) {
    return Indicator(IsTourInHand(f, TourInSlot(WorkerPatternOfWorker(f), Slot)));
}

template <int FirstSlot>
double InPeriod(const Frame& f) {
    return Indicator(TourInHandInSlots(f, WorkerPatternOfWorker(f), FirstSlot, kPeriod));
}

// The worker pattern's tour count of a period (slot 2, 3 or 4).
int PeriodCount(const CWPattern* p, int firstSlot) {
    if (firstSlot == kBeforeWork) return p->GetBeforeWorkTourCount();
    if (firstSlot == kWorkBased) return p->GetWorkBasedTourCount();
    return p->GetAfterWorkTourCount();
}

// The period's tour count when the tour in hand is one of the period's tours.
template <int FirstSlot>
double PeriodCountIfInPeriod(const Frame& f) {
    const CWPattern* p = WorkerPatternOfWorker(f);
    if (!TourInHandInSlots(f, p, FirstSlot, kPeriod)) return 0.0;
    return PeriodCount(p, FirstSlot);
}

// The tour count of the period that holds the tour in hand, looked up in the
// order work-based, before-work, after-work; 0 when none holds it.
double CountOfPeriodHoldingTour(const Frame& f) {
    const CWPattern* p = WorkerPatternOfWorker(f);
    for (int firstSlot : {kWorkBased, kBeforeWork, kAfterWork})
        if (TourInHandInSlots(f, p, firstSlot, kPeriod)) return PeriodCount(p, firstSlot);
    return 0.0;
}

double SingleTourInItsPeriod(const Frame& f) {
    const CWPattern* p = WorkerPatternOfWorker(f);
    for (int firstSlot : {kWorkBased, kBeforeWork, kAfterWork})
        if (TourInHandInSlots(f, p, firstSlot, kPeriod)) return Indicator(PeriodCount(p, firstSlot) == 1);
    return 0.0;
}

// Period counts of the worker pattern read without the flag test.
double BeforeWorkTourCount(const Frame& f) {
    const CWPattern* p = WorkerPattern(f);
    return p != nullptr ? p->GetBeforeWorkTourCount() : 0.0;
}
double WorkBasedTourCount(const Frame& f) {
    const CWPattern* p = WorkerPattern(f);
    return p != nullptr ? p->GetWorkBasedTourCount() : 0.0;
}

// --- Non-worker pattern --------------------------------------------------------

double NonWorkerTourCount(const Frame& f) {
    const CNWPattern* p = NonWorkerPattern(f);
    return p != nullptr ? p->GetTourCount() : 0.0;
}

// The number of independent tours the non-worker simulation drew.
template <int N>
double IndependentToursExactly(const Frame& f) {
    const CNWPattern* p = NonWorkerPattern(f);
    return Indicator(p != nullptr && p->GetDrawnTourCount() == N);
}

template <int N>
double ToursAtLeast(const Frame& f) {
    const CNWPattern* p = NonWorkerPattern(f);
    return Indicator(p != nullptr && p->GetTourCount() >= N);
}

double IsFirstNonWorkerTour(const Frame& f) {
    const CNWPattern* p = NonWorkerPattern(f);
    return Indicator(p != nullptr && p->GetTourCount() > 0 && IsTourInHand(f, NthTour(p, 1)));
}

// The non-worker pattern holds at least N tours and the tour in hand is number N.
template <int N>
double IsNthNonWorkerTour(const Frame& f) {
    const CNWPattern* p = NonWorkerPattern(f);
    return Indicator(p != nullptr && p->GetTourCount() >= N && PositionIs(f, N));
}

// Period counts of the non-worker pattern (a non-worker has no periods: 0).
template <int FirstSlot, int N, bool AtLeast>
double NonWorkerPeriodCount(const Frame& f) {
    const CNWPattern* p = NonWorkerPattern(f);
    if (p == nullptr) return 0.0;
    const int count = FirstSlot == kBeforeWork  ? p->GetBeforeWorkTourCount()
                      : FirstSlot == kWorkBased ? p->GetWorkBasedTourCount()
                                                : p->GetAfterWorkTourCount();
    return Indicator(AtLeast ? count >= N : count == N);
}

// Stops before the return home of the non-worker pattern's tour k. The
// work-to-home variants ask for tour 0, which no pattern holds: they give 0.
template <int K, int N, bool AtLeast>
double NonWorkerTourStops(const Frame& f) {
    const CTour* t = NthTour(NonWorkerPattern(f), K);
    if (t == nullptr) return 0.0;
    const int stops = t->GetStopCount() - 1;
    return Indicator(AtLeast ? stops >= N : stops == N);
}

constexpr ComputedVariableDefinition kRows[] = {
    // Periods of the worker pattern.
    ComputedVariableRow(30073, [](const Frame& f) { return Indicator(PositionIs(f, 0)); }),
    ComputedVariableRow(30078, PositionIn<8, 9, 10>),
    ComputedVariableRow(30079, AfterWorkTourCount),
    ComputedVariableRow(30080, WorkerTourInSlot<8>),
    ComputedVariableRow(30081, WorkerTourInSlot<9>),
    ComputedVariableRow(30082, PeriodCountIfInPeriod<kAfterWork>),
    ComputedVariableRow(30083, InPeriod<kBeforeWork>),
    ComputedVariableRow(30084, BeforeWorkTourCount),
    ComputedVariableRow(30085, PeriodCountIfInPeriod<kBeforeWork>),
    ComputedVariableRow(30086, InPeriod<kWorkBased>),
    ComputedVariableRow(30087, WorkBasedTourCount),
    ComputedVariableRow(30089, WorkerTourInSlot<5>),
    ComputedVariableRow(30090, WorkerTourInSlot<6>),
    ComputedVariableRow(30091, PeriodCountIfInPeriod<kWorkBased>),
    ComputedVariableRow(30106, CountOfPeriodHoldingTour),
    ComputedVariableRow(30107, SingleTourInItsPeriod),
    ComputedVariableRow(30103, PositionIn<2, 5, 8>),
    ComputedVariableRow(30232, PositionIn<2, 5, 8>),
    ComputedVariableRow(30104, PositionIn<3, 6, 9>),
    ComputedVariableRow(30233, PositionIn<3, 6, 9>),

    // Times of the tour in hand.
    ComputedVariableRow(30092, [](const Frame& f) { return f.tour != nullptr ? f.tour->GetWindowLength() : 0.0; }),
    ComputedVariableRow(30256, [](const Frame& f) { return f.tour != nullptr ? f.tour->GetWindowLength() : 0.0; }),
    ComputedVariableRow(30105, [](const Frame& f) { return f.tour != nullptr ? f.tour->GetPreTourTime() : 0.0; }),
    ComputedVariableRow(30108, FirstStopDeparture),
    ComputedVariableRow(30145, FirstStopDeparture),
    ComputedVariableRow(30161, FirstStopDeparture),

    // Mode of the tour in hand.
    ComputedVariableRow(30093, ModeIs<0>),
    ComputedVariableRow(30140, ModeIs<0>),
    ComputedVariableRow(30094, ModeIs<7>),
    ComputedVariableRow(30141, ModeIs<7>),
    ComputedVariableRow(30095, ModeIn<0, 7>),
    ComputedVariableRow(30096, ModeIs<1>),
    ComputedVariableRow(30143, ModeIs<1>),
    ComputedVariableRow(30097, ModeIs<2>),
    ComputedVariableRow(30144, ModeIs<2>),
    ComputedVariableRow(30142, ModeIn<0, 1, 7>),

    // Stops of the tour in hand.
    ComputedVariableRow(30098, StopsBeforeReturn),
    ComputedVariableRow(30099, StopsExactly<1>),
    ComputedVariableRow(30100, StopsExactly<2>),
    ComputedVariableRow(30101, StopsExactly<3>),
    ComputedVariableRow(30102, StopsExactly<4>),
    ComputedVariableRow(30164, StopsAtLeast<1>),
    ComputedVariableRow(30224, StopsAtLeast<2>),
    ComputedVariableRow(30225, StopsAtLeast<3>),
    ComputedVariableRow(30257, StopsAtLeast<4>),
    ComputedVariableRow(30258, OpensWithEscort<11>),
    ComputedVariableRow(30259, OpensWithEscort<10>),

    // Tours of the non-worker pattern.
    ComputedVariableRow(30130, NonWorkerTourCount),
    ComputedVariableRow(30131, IndependentToursExactly<1>),
    ComputedVariableRow(30132, IndependentToursExactly<2>),
    ComputedVariableRow(30133, IndependentToursExactly<3>),
    ComputedVariableRow(30134, IndependentToursExactly<4>),
    ComputedVariableRow(30135, ToursAtLeast<2>),
    ComputedVariableRow(30260, ToursAtLeast<3>),
    ComputedVariableRow(30255, ToursAtLeast<4>),
    ComputedVariableRow(30136, IsFirstNonWorkerTour),
    ComputedVariableRow(30137, IsNthNonWorkerTour<2>),
    ComputedVariableRow(30138, IsNthNonWorkerTour<3>),
    ComputedVariableRow(30139, IsNthNonWorkerTour<4>),
    ComputedVariableRow(30219, NonWorkerPeriodCount<kBeforeWork, 1, false>),
    ComputedVariableRow(30220, NonWorkerPeriodCount<kWorkBased, 1, false>),
    ComputedVariableRow(30221, NonWorkerPeriodCount<kAfterWork, 1, false>),
    ComputedVariableRow(30222, NonWorkerPeriodCount<kWorkBased, 2, true>),
    ComputedVariableRow(30223, NonWorkerPeriodCount<kAfterWork, 2, true>),
    ComputedVariableRow(30230, NonWorkerPeriodCount<kWorkBased, 2, false>),
    ComputedVariableRow(30231, NonWorkerPeriodCount<kAfterWork, 2, false>),
    ComputedVariableRow(30213, NonWorkerTourStops<0, 0, false>),
    ComputedVariableRow(30214, NonWorkerTourStops<0, 1, false>),
    ComputedVariableRow(30215, NonWorkerTourStops<0, 2, true>),
    ComputedVariableRow(30216, NonWorkerTourStops<1, 0, false>),
    ComputedVariableRow(30226, NonWorkerTourStops<1, 1, false>),
    ComputedVariableRow(30227, NonWorkerTourStops<1, 2, false>),
    ComputedVariableRow(30218, NonWorkerTourStops<1, 2, true>),
};

}  // namespace

ComputedVariableRows TourVariableRows() { return kRows; }
