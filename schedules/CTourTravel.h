#pragma once
// Travel rules the tour simulations share: which tour modes are open to a
// person, the travel time of the leg that closes a tour, and walk minutes from
// a distance. The closing leg differs slightly between the tour kinds (whether
// the level-of-service time is floored before it is compared with the time
// left, whether a walk time is raised to the 2-minute floor); each caller
// states its kind through ClosingLegRules.

#include <vector>

class CInputDataManager;
class CPersonObject;

class CTourTravel {
public:
    // Tour mode codes.
    static constexpr int kDriveAlone = 0;
    static constexpr int kPassenger = 1;
    static constexpr int kWalk = 2;
    static constexpr int kTransit = 3;
    static constexpr int kDriveWithPassenger = 7;

    struct ClosingLegRules {
        // The level-of-service minutes are floored before the comparison with
        // the time left (else compared as read).
        bool floorBeforeCompare = true;
        // A walk time below 2 minutes is raised to 2.
        bool walkAtLeastTwo = false;
        // A mode without a travel rule posts "Tourmode %d".
        bool reportUnknownMode = false;
    };

    // Walk or bike minutes over a distance: floor(d / 0.05) up to 2.0
    // distance units, else floor(d / 0.15).
    static double WalkMinutes(double distance);

    // Adds modes 0 and 7 to `closed` when the person may not drive (column 14
    // is 0).
    static void CloseCarModesForNonDriver(const CPersonObject& person, std::vector<int>& closed);
    // Whether transit reaches enough destinations: the level-of-service
    // column 7 values from the origin to every destination at the time,
    // summed with each partial sum cut to an integer, make at least 2.
    static bool TransitAvailable(CInputDataManager& data, int origin, double time);

    // The candidate zones of a place about `target` minutes by car from the
    // origin at a time of day: the location choices' window over every
    // destination sorted by auto time (CLocationMM::SelectCandidateWindow).
    // The cached origin's sorted list is read where it is held.
    static void ListPlaceCandidates(CInputDataManager& data, int origin, double time, float target,
                                    std::vector<int>& candidates);

    // Travel time of the leg that closes a tour, from the zone of its last
    // stop to the destination, leaving at `departure`: by the tour's drawn
    // mode, the auto (0, 1, 7) or transit (3) time, at least 2 minutes, or the
    // walk time (2); a mode without a rule takes 2 minutes. Above the last
    // stop's time left it becomes 0.95 x that time left (not below 0). Whole
    // minutes.
    static double ClosingLegTravelTime(CInputDataManager& data, int mode, int origin, int destination,
                                       double departure, double timeLeft, const ClosingLegRules& rules);
};
