#pragma once
// The day of a person who neither works nor goes to school: a list of tours
// numbered 1, 2, ... in the order they were added. The household may add escort
// and joint tours before the person's own tours are simulated.

#include <memory>
#include <vector>

#include "schedules/CPattern.h"

class CInputDataManager;

class CNWPattern : public CPattern {
public:
    // No tours, counts 0.
    CNWPattern(CInputDataManager* manager, CPersonObject* person);
    ~CNWPattern() override;

    // Adds the person's own tours after those the household placed: how many
    // (at most four tours in all), and for each its mode, stop count, home
    // stay, stops and return home. A tour with no time left when it starts is
    // not made, so the tour count is the tours made; the drawn-count field
    // keeps the number decided. A person without activity flags gets none.
    void Simulate(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                  CHouseholdCoordinator* simulator) override;
    // The number of own tours to add for a drawn category with `present`
    // tours already held: the draw, less the present tours when together they
    // exceed four, and never more than four tours in all (0 or less: none).
    static int ToursToAdd(int drawn, int present);
    int GetTourCount() const override { return m_nTourCount; }
    int GetBeforeWorkTourCount() const override { return 0; }
    int GetWorkBasedTourCount() const override { return 0; }
    int GetAfterWorkTourCount() const override { return 0; }
    void OnPatternDone() override;
    void WriteOutput(int householdId, int personNumber, COutputFileSet& streams) override;
    // The joint discretionary tour with the children of the household's
    // episode (CJointDiscretionaryTour), handed to the simulator; none when
    // no place can be drawn.
    void AddJointTour(CHouseholdObject* household, CModelSystem* models,
                      CHouseholdCoordinator* simulator) override;
    // One tour per joint activity the person takes part in, in list order:
    // from home to the activity, arriving at its start, and back home at its
    // end, in the mode of the person's mark.
    void AddJointActivityTours(CPersonObject* person, CHouseholdObject* household, CModelSystem* models,
                               CHouseholdCoordinator* simulator) override;
    // Orders the tours by the departure of their first stop, exchanging the
    // tours' numbers with their places.
    void SortToursByDeparture() override;
    // Virtual operation 10: tour k, 1-based; null outside 1 to the tours held.
    virtual CTour* GetNthTour(int k) const;

    // Appends a tour built by the caller (the pattern owns it from now on),
    // numbers it and starts its window where the previous tour ends. A null
    // tour changes nothing.
    void AddTour(std::unique_ptr<CTour> tour);
    // Destroys the last tour added; nothing for an empty pattern.
    void RemoveLastTour();

    // The school escort tours of the adult of the household's first drop-off
    // (first pick-up) episode: a car tour whose first stop is the school at
    // the episode's time, a few stops of the person's own when the person has
    // activities, and the way home. The escorted children's ride to school
    // (ride home) is filled to match. Nothing is made without such an episode.
    void AddSchoolDropOffTour(CPersonObject* person, CHouseholdObject* household, CModelSystem* models,
                              CHouseholdCoordinator* simulator);
    void AddSchoolPickUpTour(CPersonObject* person, CHouseholdObject* household, CModelSystem* models,
                             CHouseholdCoordinator* simulator);

    int GetToursBeforeSimulation() const { return m_nToursBeforeSimulation; }
    void SetToursBeforeSimulation(int count) { m_nToursBeforeSimulation = count; }
    CInputDataManager* GetDataManager() const { return m_pDataManager; }

private:
    // Number of tours added.
    int m_nTourCount = 0;
    CInputDataManager* m_pDataManager = nullptr;  // not owned
    // Tours the household placed before the pattern's own simulation.
    int m_nToursBeforeSimulation = 0;
    // Modes closed for the tour being drawn (reused from tour to tour).
    std::vector<int> m_closedModes;
};
