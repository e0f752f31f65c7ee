#include "LocationTestWorld.h"

#include "support/RecordingMessageSink.h"

#include "platform/CRecordset.h"
#include "platform/NumberText.h"
#include "schedules/CWPattern.h"

#include <string>

namespace {

constexpr int kHouseholdColumns = 10;
constexpr int kPersonColumns = 53;
constexpr int kZoneColumns = 45;  // zid and columns 1 to 44

std::string Definition(const std::string& prefix, int first, int count) {
    std::string text;
    for (int c = first; c < count; ++c) {
        if (c > first) text += ", ";
        text += prefix + NumberText::Integer(c) + " DOUBLE PRECISION";
    }
    return text;
}

std::string Values(const LocationTestWorld::Row& row, int first, int count) {
    std::string text;
    for (int c = first; c < count; ++c) {
        if (c > first) text += ", ";
        auto it = row.find(c);
        text += NumberText::Shortest(it == row.end() ? 0.0 : it->second);
    }
    return text;
}

}  // namespace

LocationTestWorld::LocationTestWorld(const std::string& kind) : m_db(TestDatabase::Create(kind)) {
    m_db->Execute("CREATE TABLE hh (" + Definition("h", 0, kHouseholdColumns) + ")");
    m_db->Execute("CREATE TABLE pp (seq INTEGER, " + Definition("p", 0, kPersonColumns) + ")");
    m_db->Execute("CREATE TABLE zones (zid INTEGER, " + Definition("z", 1, kZoneColumns) + ")");
    m_db->Execute("CREATE TABLE vehmake (type INTEGER, age INTEGER, make DOUBLE PRECISION)");
    m_connection.OpenEx(m_db->Connect());
    // The table check reports the input tables this database lacks; only the
    // connection it remembers matters here.
    RecordingMessageSink quiet;
    manager.CheckTables(&m_connection);
}

LocationTestWorld::~LocationTestWorld() {
    household.reset();
    m_connection.Close();
}

void LocationTestWorld::AddZone(int zone, const Row& columns) {
    m_db->Execute("INSERT INTO zones VALUES (" + NumberText::Integer(zone) + ", " + Values(columns, 1, kZoneColumns) +
                  ")");
}

void LocationTestWorld::AddVehicleMake(int type, int age, double make) {
    m_db->Execute("INSERT INTO vehmake VALUES (" + NumberText::Integer(type) + ", " + NumberText::Integer(age) + ", " +
                  NumberText::Shortest(make) + ")");
}

CHouseholdObject* LocationTestWorld::Load(const Row& householdRow, const std::vector<Row>& persons) {
    m_db->Execute("INSERT INTO hh VALUES (" + Values(householdRow, 0, kHouseholdColumns) + ")");
    for (size_t i = 0; i < persons.size(); ++i)
        m_db->Execute("INSERT INTO pp VALUES (" + NumberText::Integer(static_cast<long long>(i)) + ", " +
                      Values(persons[i], 0, kPersonColumns) + ")");
    manager.LoadZones("zones");
    manager.LoadVehicleMake("vehmake");

    CRecordset rows(&m_connection);
    rows.Open("SELECT * FROM hh");
    household = std::make_unique<CHouseholdObject>(rows, &manager);
    rows.Close();

    std::string columns;
    for (int c = 0; c < kPersonColumns; ++c) columns += (c ? ", p" : "p") + NumberText::Integer(c);
    CRecordset personRows(&m_connection);
    personRows.m_strSort = "seq";
    personRows.Open("SELECT " + columns + " FROM pp");
    for (; !personRows.IsEOF(); personRows.MoveNext()) household->AddPerson(personRows);
    personRows.Close();
    return household.get();
}

void LocationTestWorld::MakeWorker(CPersonObject* person, double start, double duration) {
    person->SetFlag(0, true);
    person->CreatePattern();
    CWPattern* pattern = person->GetWPattern();
    pattern->SetWorkStart(start);
    pattern->SetWorkDuration(duration);
}
