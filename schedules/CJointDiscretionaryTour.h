#pragma once
// The joint discretionary tour an adult makes with the household's children:
// one stop at a place drawn around the trip's length and the way back home,
// and a companion tour for each child of the household's joint discretionary
// episode that copies the adult's times. The worker and the non-worker
// patterns build it alike; Rules says where they differ. No household step
// fills the joint discretionary episodes, so a run never reaches it.

class CTour;
class CPattern;
class CHouseholdObject;
class CModelSystem;
class CHouseholdCoordinator;
class CRegressMM;
class CLocationMM;

class CJointDiscretionaryTour {
public:
    // Activity codes of the tour's stops.
    static constexpr int kAdultActivity = 20;
    static constexpr int kChildActivity = 21;
    static constexpr int kFromHome = 18;

    struct Rules {
        CRegressMM* departure = nullptr;  // minutes after midnight, exponentiated
        CRegressMM* duration = nullptr;   // at the stop, exponentiated
        CRegressMM* travel = nullptr;     // to the stop
        CLocationMM* location = nullptr;
        // The trip's minutes are the travel model's prediction exponentiated
        // (else taken as predicted).
        bool travelFromExp = true;
        // The activity is cut so that the tour ends by midnight.
        bool fitInDay = false;
        // The way home takes the auto time from the stop (else the trip's
        // minutes again).
        bool returnByAutoTime = false;
        // Activity of the children's closing stop.
        int childReturnActivity = 14;
    };

    // The departure from home: v held within [375, 1080] and never before
    // `earliest` (the arrival home after work; 0 for a non-worker). Not a
    // number takes the lower bound.
    static double ClampStart(double v, double earliest);

    // Fills the adult's tour, already in `pattern` with no stops, its mode and
    // stops set, the stay at home before it counted from `earliest`. Draws
    // after reseeding with the household id + 1. False when no place can be
    // drawn (no destination): the caller then removes the tour.
    static bool BuildAdultTour(CTour& tour, double earliest, const Rules& rules, CHouseholdObject& household,
                               CModelSystem& models, CHouseholdCoordinator* simulator);

    // The companion tour of every child of the household's first joint
    // discretionary episode: in a child's worker pattern as its next
    // after-work tour, else appended to its non-worker pattern.
    static void AddChildTours(CTour& adultTour, const Rules& rules, CHouseholdObject& household,
                              CHouseholdCoordinator* simulator);
};
