#pragma once
// Explanatory values of a location choice: one row per variable ID of the
// location model, one entry per candidate zone. The location draw (CLocationMM)
// forms each candidate's utility as the sum over rows of the model's
// coefficient times the row's entry for that candidate.
//
// Two fillings exist. The stop, tour and child-tour location choices know zone
// attributes (variable source 2) and the zone-pair variables of a trip from
// the traveller's current zone (source 3: travel time and cost to the
// candidate, distance from the tour's ultimate destination, attraction
// measures); the joint-activity location choice knows zone attributes and the
// constant 30000 only. Any other ID keeps a row of zeros.
//
// The household simulator (CHouseholdCoordinator) forwards its members
// ComputeLocationVariables and ComputeZoneAttributeMatrix here with its
// input-data manager, household and current person.
//
// Level-of-service lookups of one call are batched: a (column, origin) pair
// that several IDs need is asked once. Scratch buffers are kept per thread, so
// a call allocates nothing once the buffers have grown.

#include <vector>

class CInputDataManager;
class CHouseholdObject;
class CPersonObject;
class CStop;

class CLocationVariableMatrix {
public:
    using Matrix = std::vector<std::vector<double>>;

    // Where the matrix reads its data. Each query appends to `values`, one
    // value per zone of the list, in list order (0.0 for a zone or zone pair
    // the tables do not hold). The simulation reads the thread's input-data
    // manager; a test can supply its own tables.
    class CDataSource {
    public:
        virtual ~CDataSource() = default;
        // Column `column` of the zones table for each zone.
        virtual void GetZoneValues(std::vector<double>& values, int column, const std::vector<int>& zones) = 0;
        // Level-of-service column `column` at `time` from origin to each destination.
        virtual void GetLOS(std::vector<double>& values, int column, double time, int origin,
                            const std::vector<int>& destinations) = 0;
        // zone2zone column `column` from origin to each destination.
        virtual void GetZone2ZoneForDestinations(std::vector<double>& values, int column, int origin,
                                                 const std::vector<int>& destinations) = 0;
    };

    // Fills the matrix for the stop, tour and child-tour location choices: as
    // many rows as IDs, each with one entry per candidate. `origin` is the zone
    // the traveller is in, `stop` the stop being located (its departure time,
    // activity type and tour); `household` and `person` give the home zone,
    // the income and the ultimate destination of the tour. A null stop counts
    // as departure 0.0, no activity and no tour; a null person as one without
    // work or school.
    static void ComputeLocationVariables(CInputDataManager* manager, CHouseholdObject* household,
                                         CPersonObject* person, int origin, const std::vector<int>& candidates,
                                         const std::vector<int>& variableIds, Matrix& matrix, CStop* stop);
    static void ComputeLocationVariables(CDataSource& source, CHouseholdObject* household, CPersonObject* person,
                                         int origin, const std::vector<int>& candidates,
                                         const std::vector<int>& variableIds, Matrix& matrix, CStop* stop);

    // Fills the matrix for the joint-activity location choice from zone
    // attributes (source 2) and the constant 30000 (1.0); every other ID gives
    // zeros. The first argument (the home zone) is not used.
    static void ComputeZoneAttributeMatrix(CInputDataManager* manager, int homeZone,
                                           const std::vector<int>& candidates,
                                           const std::vector<int>& variableIds, Matrix& matrix);
    static void ComputeZoneAttributeMatrix(CDataSource& source, int homeZone, const std::vector<int>& candidates,
                                           const std::vector<int>& variableIds, Matrix& matrix);

    // The zone the current tour returns to: the home zone, or, for a person
    // with work or school on a commute or after-work tour (positions 1, 5, 6
    // and 7), the work zone of an employed person or, for a student, the larger
    // of person columns 6 and 52. -1 without a household.
    static int UltimateDestination(CHouseholdObject* household, CPersonObject* person, CStop* stop);

    // Weight of travel cost against travel time in variable 30915 for a
    // household income (thousands). An income that is not a positive number is
    // taken as 1.0 (one thousand), the smallest whole income, so that the
    // weight stays finite.
    static double CostWeight(double income);
};
