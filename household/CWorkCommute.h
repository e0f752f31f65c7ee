#pragma once
// The two commutes of a working or studying adult, filled into commute tour 0
// (work or school to home) and commute tour 1 (home to work) of the person's
// worker pattern once the work start and duration are fixed. The work-to-home
// commute draws the commute mode for both, may pass through the person's
// evening joint activity, and may hold stops; the home-to-work commute is
// planned backwards from the work start. In a household with children the
// adult who serves the school drop-off or pick-up episode gets an escort
// commute instead, which also fills the escorted children's commutes.
//
// Both household simulators call it from their commute slots; it is made for
// one call on the simulator of the household and keeps nothing afterwards.

#include <vector>

#include "household/CEpisodeRecord.h"

class CHouseholdCoordinator;
class CHouseholdObject;
class CPersonObject;
class CModelSystem;
class CInputDataManager;
class CWPattern;
class CTour;

class CWorkCommute {
public:
    using EpisodeList = std::vector<CEpisodeRecord>;

    explicit CWorkCommute(CHouseholdCoordinator& simulator);

    // The work-to-home commute: its mode (for both commutes), then either the
    // way through the joint activity the person reaches on their own, or
    // SimulateWorkToHomeStops.
    void SimulateWorkToHome(CPersonObject& person, CHouseholdObject& household);
    // The work-to-home commute's stops and leg home: none without activity
    // flags or by walk or transit; otherwise a drawn number of stops that
    // should end before the person's earliest joint activity.
    void SimulateWorkToHomeStops(CPersonObject& person, CHouseholdObject& household);
    // The home-to-work commute, by the work-to-home commute's mode: drawn
    // stops planned backwards from the work start, or the direct leg.
    void SimulateHomeToWork(CPersonObject& person, CHouseholdObject& household);

    // The work-to-home commute in a household with children: the pick-up
    // adult collects the children at school on the way home; the drop-off
    // adult drives (mode 0); anyone else as SimulateWorkToHome.
    void SimulateWorkToHomeWithChildren(CPersonObject& person, CHouseholdObject& household,
                                        const EpisodeList& dropOffs, const EpisodeList& pickUps);
    // The home-to-work commute in a household with children: the drop-off
    // adult takes the children to school on the way to work; anyone else as
    // SimulateHomeToWork.
    void SimulateHomeToWorkWithChildren(CPersonObject& person, CHouseholdObject& household,
                                        const EpisodeList& dropOffs);

    // The person's work zone by the three rules the commutes use.
    // Rule 1: a student's school zone (the larger of columns 6 and 52), else
    // the activity zone.
    static int WorkZoneRule1(const CPersonObject& person);
    // Rule 2: the activity zone x column 2 + the student flag x the school
    // zone; a person both employed and a student, or with a column 2 other
    // than 0 or 1, takes rule 1 (a sum of two zones is no zone).
    static int WorkZoneRule2(const CPersonObject& person);
    // Rule 3: the activity zone when column 3 is 0, else the school zone.
    static int WorkZoneRule3(const CPersonObject& person);

private:
    // The adult's own pick-up commute: to the school at the pick-up time and
    // home with the children.
    void SimulatePickUpWorkToHome(CPersonObject& person, CHouseholdObject& household, const CEpisodeRecord& pickUp);
    // The drop-off adult's commute: to the school, then on to work.
    void SimulateDropOffHomeToWork(CPersonObject& person, CHouseholdObject& household, const CEpisodeRecord& dropOff);

    // One level-of-service value from origin to destination at a time.
    double Los(int column, double time, int origin, int destination);
    // The travel time of a commute leg without stops: walk minutes by
    // distance (mode 2), auto (0, 1, 7) or transit (3) minutes, floored; 2
    // minutes for a mode without a rule.
    double DirectLegTime(int mode, int origin, int destination, double time);
    // GetTravelTime of the simulator to one destination.
    double TravelTime(int origin, int destination, int mode, double time);

    CHouseholdCoordinator& m_simulator;
    CModelSystem& m_models;
    CInputDataManager& m_data;
    std::vector<int> m_destination;
    std::vector<double> m_values;
    std::vector<int> m_closedModes;
};
