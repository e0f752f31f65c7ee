#pragma once
// Household simulator of a household with children. It keeps the household's
// school escort episodes (children to drop off in the morning, children to pick
// up in the afternoon, joint discretionary episodes with children) and answers
// the escort questions of the variable evaluator, the person writer and the
// pattern code from them. The leaf classes allocate the episodes and name the
// parents.

#include "household/CEpisodeRecord.h"
#include "household/CHouseholdCoordinator.h"

#include <vector>

class CHouseholdWithChildren : public CHouseholdCoordinator {
public:
    using EpisodeList = std::vector<CEpisodeRecord>;

    explicit CHouseholdWithChildren(CModelSystem* models);
    ~CHouseholdWithChildren() override;

    // Slots 0 to 4: the single episode of the list, when the list holds exactly one.
    bool IsDropOffAdult(const CPersonObject* person) override;
    bool IsPickUpAdult(const CPersonObject* person) override;
    bool IsJointDiscretionaryAdult(const CPersonObject* person) override;
    bool IsInDropOffEpisode(const CPersonObject* person) override;
    bool IsInPickUpEpisode(const CPersonObject* person) override;
    // Slot 5: for the pick-up adult (else the joint discretionary adult) the
    // departure of that later tour, less the return from the drop-off tour
    // when the person is also the drop-off adult; -1.0 for anyone else, and
    // when a tour it needs is not built.
    double GetTimeAfterDropOff(const CPersonObject* person) override;
    // Slot 6: for the pick-up adult, 1440 minus the return from the pick-up
    // tour; -1.0 for anyone else, and when the pick-up tour is not built.
    double GetAvailableTimeAfterPickUp(const CPersonObject* person) override;
    // Slot 7: stores the tour in the first joint discretionary episode, if any.
    void SetJointDiscretionaryTour(CTour* tour) override;
    // Slot 8: every school-going child driven by a parent from school joins a
    // pick-up episode at its school end (and stays 5 minutes longer at
    // school), and one driven to school joins a drop-off episode at its school
    // start; children of one school within 10 minutes share an episode.
    void BuildEscortEpisodes() override;
    void DecideChildIndependentActivity() override;
    void FindChildInJointActivity() override;
    void SimulateWHCommute(CPersonObject* person, CHouseholdObject* household) override;
    void SimulateHWCommute(CPersonObject* person, CHouseholdObject* household) override;
    void SimulateNonWorkerEscortTours(CPersonObject* person, CHouseholdObject* household,
                                      CModelSystem* models) override;
    void SimulateChildSchoolCommute(CPersonObject* child, CHouseholdObject* household,
                                    CModelSystem* models) override;
    // Slot 16: the adult of the single joint discretionary episode makes the
    // joint tour in its pattern.
    void SimulateJointDiscretionaryTour(CPersonObject* person, CHouseholdObject* household, CModelSystem* models,
                                        CHouseholdCoordinator* simulator) override;
    void SimulateNonWorkerDay(CPersonObject* person, CHouseholdObject* household, CModelSystem* models,
                              CHouseholdCoordinator* simulator) override;
    void SimulateChildDiscretionaryTour(CPersonObject* child, CHouseholdObject* household, CModelSystem* models,
                                        CHouseholdCoordinator* simulator) override;
    void AddChildToJointDiscretionaryTour(CPersonObject* child, CHouseholdObject* household, CModelSystem* models,
                                          CHouseholdCoordinator* simulator) override;

    // Slots 20 and 21: the two parents of the household (null when not found).
    virtual CPersonObject* GetParentOne() = 0;
    virtual CPersonObject* GetParentTwo() = 0;

    // Episode lists. Index-checked accessors throw std::out_of_range for an
    // index outside the list; the setters ignore such an index.
    static int GetEpisodeCount(const EpisodeList& list);
    static const CEpisodeRecord& GetEpisode(const EpisodeList& list, int i);
    static CPersonObject* GetEpisodePerson(const EpisodeList& list, int i);
    static double GetEpisodeTime(const EpisodeList& list, int i);
    static int GetEpisodeKey(const EpisodeList& list, int i);
    static CTour* GetEpisodeTour(const EpisodeList& list, int i);
    static std::vector<CPersonObject*> GetEpisodeChildren(const EpisodeList& list, int i);
    static void SetEpisodeAdult(EpisodeList& list, int i, CPersonObject* adult);
    static void SetEpisodeTour(EpisodeList& list, int i, CTour* tour);
    // Index of the first episode the person serves; -1 when none.
    static int FindEpisodeByAdult(const EpisodeList& list, const CPersonObject* person);
    // The child joins the first episode of the list at the zone whose time is
    // less than 10 minutes away (either side); without one, a new episode of
    // the child, time and zone is appended.
    static void FindOrAddEpisode(EpisodeList& list, CPersonObject* child, double time, int zone);

    // Children to pick up from school.
    EpisodeList m_pickUpEpisodes;
    // Children to drop off at school.
    EpisodeList m_dropOffEpisodes;
    // Joint discretionary activities of an adult with children.
    EpisodeList m_jointDiscretionaryEpisodes;

    // A schoolchild's predicted ride time bounded by the school mode of the
    // commute (school to home: tour 0; home to school: tour 1), in whole
    // minutes; 3.0 for a mode without bounds or a child without a school day.
    double ClampSchoolToHomeTime(double minutes, CPersonObject* child);
    double ClampHomeToSchoolTime(double minutes, CPersonObject* child);

protected:
    // The first member, in person order, that is a parent (column 9 is 1.0)
    // whose column 7, as an int, is zero (zeroColumn7) or not zero.
    CPersonObject* FindParent(bool zeroColumn7) const;

    // Escorting a child changes the escorting adult's work or school times.
    // Work and school start just after the drop-off: the episode time, 5
    // minutes and the drive from the school; a day pushed past midnight ends
    // at 1440.
    void StartWorkAfterDropOff(CPersonObject& adult, const CEpisodeRecord& dropOff) const;
    // The work or school duration that ends in time to drive to the pick-up;
    // false (nothing changed) when the day now ends more than 60 minutes away
    // from the pick-up time, or when no time would be left at work.
    bool EndWorkForPickUp(CPersonObject& adult, const CEpisodeRecord& pickUp) const;

private:
    // Destinations with their auto times, the candidate zones and their
    // location variables of a child's discretionary stop.
    std::vector<int> m_destinationZones;
    std::vector<double> m_destinationTimes;
    std::vector<int> m_candidates;
    std::vector<std::vector<double>> m_locationValues;

    static bool ServesSingleEpisode(const EpisodeList& list, const CPersonObject* person);
    static bool InSingleEpisode(const EpisodeList& list, const CPersonObject* person);
};
