#pragma once
// Households, zones and vehicle makes for the location-choice and MDCEV tests:
// rows are written to a scratch database and read back through the ODBC layer
// and the input-data manager, the way a run reads them. Columns not given are
// 0.0.
//
// households: columns 0 to 9 (0 id, 2 vehicles, 3 home zone, 7 income in
// thousands); persons: columns 0 to 52; zones: zid and columns 1 to 44;
// vehicle makes: type, age and one more column.

#include "support/TestDatabase.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "platform/CDatabase.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class LocationTestWorld {
public:
    using Row = std::map<int, double>;  // column -> value

    explicit LocationTestWorld(const std::string& kind);
    ~LocationTestWorld();

    void AddZone(int zone, const Row& columns);
    void AddVehicleMake(int type, int age, double make);

    // Loads the zones and vehicle makes into the manager and reads the
    // household with its persons (in the given order).
    CHouseholdObject* Load(const Row& household, const std::vector<Row>& persons);

    // Person i (0-based) of the loaded household.
    CPersonObject* Person(int i) const { return household->GetPerson(i + 1); }
    // Sets flag 0, creates the worker pattern and sets its work start and duration.
    static void MakeWorker(CPersonObject* person, double start, double duration);

    CInputDataManager manager;
    std::unique_ptr<CHouseholdObject> household;

private:
    std::unique_ptr<TestDatabase> m_db;
    CDatabase m_connection;
};
