#include "ModelTestWorld.h"

#include "support/RecordingMessageSink.h"

#include "platform/CRecordset.h"
#include "platform/NumberText.h"
#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"

#include <string>
#include <vector>

namespace {

constexpr int kPersonColumns = 53;

std::string PersonRow(const std::vector<std::pair<int, double>>& set) {
    std::vector<std::string> cells(kPersonColumns, "0");
    for (const auto& [column, value] : set) cells[static_cast<size_t>(column)] = NumberText::Shortest(value);
    std::string row;
    for (int c = 0; c < kPersonColumns; ++c) row += (c ? ", " : "") + cells[static_cast<size_t>(c)];
    return row;
}

}  // namespace

ModelTestWorld::ModelTestWorld(const std::string& kind) : m_db(TestDatabase::Create(kind)) {
    m_db->Execute(
        "CREATE TABLE households (hid INTEGER, c1 DOUBLE PRECISION, c2 DOUBLE PRECISION, hzone INTEGER, "
        "c4 DOUBLE PRECISION, htype INTEGER, c6 DOUBLE PRECISION)");
    m_db->Execute("INSERT INTO households VALUES (501, 2.5, 1, 7, 3.25, 4, 0)");

    std::string columns;
    for (int c = 0; c < kPersonColumns; ++c) columns += (c ? ", p" : "p") + NumberText::Integer(c) + " DOUBLE PRECISION";
    m_db->Execute("CREATE TABLE persons (" + columns + ")");
    m_db->Execute("INSERT INTO persons VALUES (" +
                  PersonRow({{0, 501}, {1, 1}, {2, 1}, {3, 0}, {5, 8}, {8, 40}, {10, 1.5}}) + ")");
    m_db->Execute("INSERT INTO persons VALUES (" +
                  PersonRow({{0, 501}, {1, 2}, {2, 0}, {3, 1}, {5, 3}, {6, 2}, {8, 12}, {10, 2.75}, {52, 9}}) + ")");

    m_db->Execute("CREATE TABLE zones (zid INTEGER, z1 DOUBLE PRECISION, z2 DOUBLE PRECISION)");
    m_db->Execute("INSERT INTO zones VALUES (7, 11, 12.5)");
    m_db->Execute("INSERT INTO zones VALUES (8, 21, 22.5)");
    m_db->Execute("INSERT INTO zones VALUES (9, 31, 32.5)");
    m_db->Execute("CREATE TABLE zones_b (zid INTEGER, z1 DOUBLE PRECISION, z2 DOUBLE PRECISION)");
    m_db->Execute("INSERT INTO zones_b VALUES (7, 99, 98)");
    m_db->Execute("INSERT INTO zones_b VALUES (8, 88, 87)");
    m_db->Execute("INSERT INTO zones_b VALUES (9, 77, 76)");

    m_connection.OpenEx(m_db->Connect());
    {
        // The table check reports the input tables this database lacks; only
        // the connection it remembers matters here.
        RecordingMessageSink quiet;
        managerA.CheckTables(&m_connection);
        managerB.CheckTables(&m_connection);
    }
    managerA.LoadZones("zones");
    managerB.LoadZones("zones_b");

    CRecordset households(&m_connection);
    households.Open("SELECT * FROM households");
    household = std::make_unique<CHouseholdObject>(households, &managerA);
    households.Close();

    CRecordset persons(&m_connection);
    persons.Open("SELECT * FROM persons ORDER BY p1");
    while (!persons.IsEOF()) {
        household->AddPerson(persons);
        persons.MoveNext();
    }
    persons.Close();

    worker()->SetFlag(0, true);
    worker()->CreatePattern();
    workerCommute()->SetStopCount(1);
    workerCommute()->CreateStops();

    student()->SetFlag(0, false);
    student()->CreatePattern();
    auto tour = std::make_unique<CNWorkerTour>(&managerA, studentPattern());
    tour->SetStopCount(1);
    tour->CreateStops();
    studentPattern()->AddTour(std::move(tour));
}

ModelTestWorld::~ModelTestWorld() {
    household.reset();
    m_connection.Close();
}

CWPattern* ModelTestWorld::workerPattern() const { return dynamic_cast<CWPattern*>(worker()->GetPattern()); }
CNWPattern* ModelTestWorld::studentPattern() const { return dynamic_cast<CNWPattern*>(student()->GetPattern()); }
CTour* ModelTestWorld::workerCommute() const { return workerPattern()->GetTourAt(CWPattern::kHomeToWorkSlot); }
CStop* ModelTestWorld::workerStop() const { return workerCommute()->GetStopByNumber(1); }
CTour* ModelTestWorld::studentTour() const { return studentPattern()->GetNthTour(1); }
CStop* ModelTestWorld::studentStop() const { return studentTour()->GetStopByNumber(1); }
