#include "household/HouseholdRows.h"

#include "support/TestDatabase.h"
#include "platform/CDatabase.h"
#include "platform/CRecordset.h"
#include "platform/NumberText.h"

#include <string>

namespace {

std::string Columns(size_t count, bool withTypes) {
    std::string text;
    for (size_t c = 0; c < count; ++c) {
        if (c > 0) text += ", ";
        text += "c" + NumberText::Integer(static_cast<long long>(c));
        if (withTypes) text += " DOUBLE PRECISION";
    }
    return text;
}

std::string Values(const std::vector<double>& row) {
    std::string text;
    for (size_t c = 0; c < row.size(); ++c) {
        if (c > 0) text += ", ";
        text += NumberText::Shortest(row[c]);
    }
    return text;
}

}  // namespace

std::vector<double> HouseholdRows::Person(double householdId, int personNumber, double column7, double age,
                                          double column9) {
    std::vector<double> row(kPersonColumns, 0.0);
    row[0] = householdId;
    row[1] = personNumber;
    row[7] = column7;
    row[8] = age;
    row[9] = column9;
    return row;
}

std::unique_ptr<CHouseholdObject> HouseholdRows::Load(TestDatabase& db, const std::vector<double>& household,
                                                      const std::vector<std::vector<double>>& persons,
                                                      CInputDataManager* manager) {
    const size_t personColumns = persons.empty() ? kPersonColumns : persons.front().size();
    db.Execute("CREATE TABLE hh (" + Columns(household.size(), true) + ")");
    db.Execute("INSERT INTO hh (" + Columns(household.size(), false) + ") VALUES (" + Values(household) + ")");
    db.Execute("CREATE TABLE pp (seq INTEGER, " + Columns(personColumns, true) + ")");
    for (size_t i = 0; i < persons.size(); ++i)
        db.Execute("INSERT INTO pp (seq, " + Columns(personColumns, false) + ") VALUES (" +
                   NumberText::Integer(static_cast<long long>(i)) + ", " + Values(persons[i]) + ")");

    CDatabase connection;
    connection.OpenEx(db.Connect());
    CRecordset householdRows(&connection);
    householdRows.Open("SELECT " + Columns(household.size(), false) + " FROM hh");
    auto result = std::make_unique<CHouseholdObject>(householdRows, manager);
    householdRows.Close();

    CRecordset personRows(&connection);
    personRows.m_strSort = "seq";
    personRows.Open("SELECT " + Columns(personColumns, false) + " FROM pp");
    for (; !personRows.IsEOF(); personRows.MoveNext()) result->AddPerson(personRows);
    personRows.Close();
    return result;
}
