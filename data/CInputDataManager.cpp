#include "data/CInputDataManager.h"

#include "data/CColumns.h"
#include "data/CCommuteLOSRecord.h"
#include "data/CPersonObject.h"
#include "data/CTables.h"
#include "data/CTimedSection.h"
#include "data/InputColumns.h"
#include "data/InputKey.h"
#include "platform/CDatabase.h"
#include "platform/DbError.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <strings.h>

namespace {

bool SameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

// The fixed text of the failure, then the database error's own report.
void ReportDbError(const std::string& text, const DbError& error, MessageIcon reportIcon) {
    MessageSink::Post(text, MessageIcon::Information);
    MessageSink::Post(error.Report(), reportIcon);
}

// The household ids the output files can hold: their id field is an
// unsigned 32-bit integer.
constexpr long long kHighestWrittenHouseholdId = 4294967295LL;

// The households rows in the order the id pages cover them. A row without an
// id has no place in a page; the household count (count(hid)) leaves it out
// too, so the pages cover exactly the counted rows.
const std::string kHouseholdOrderQuery = "SELECT hid FROM households WHERE hid IS NOT NULL order by zone_id,hid ASC";

// The id in field `column`: false for NULL, for a value that is not a number
// and for one that is not a whole number (a household id is never truncated).
bool WholeHouseholdId(const CRecordset& row, int column, long long& id) {
    return !row.IsFieldNull(column) && InputKey::FieldToInt64(row, column, id) &&
           static_cast<double>(id) == row.GetDouble(column);
}

// The rows a check of a whole table finds, for its one message: how many,
// and the first few.
class RowFindings {
public:
    void Add(const std::string& row) {
        if (m_count++ < kFirstShown) m_first += (m_first.empty() ? "" : ", ") + row;
    }
    // "The <table> table holds <n> rows whose <what>: they are <outcome>. The first: ..."
    void Post(const std::string& table, const std::string& what, const std::string& outcome) const {
        if (m_count == 0) return;
        const bool one = m_count == 1;
        MessageSink::Post("The " + table + " table holds " + NumberText::Integer(m_count) +
                              (one ? " row whose " : " rows whose ") + what + (one ? ": it is " : ": they are ") +
                              outcome + (one ? ". The row: " : ". The first: ") + m_first + ".",
                          MessageIcon::Warning);
    }

private:
    static constexpr long long kFirstShown = 5;
    long long m_count = 0;
    std::string m_first;
};

// The persons columns that hold a zone of the member's day, in the order they are checked.
constexpr int kPersonZoneColumns[] = {InputColumns::kWorkZone, InputColumns::kSchoolZone, InputColumns::kCollegeZone};

// A zone id that the zones table does not hold, as a skipped household's message names it.
std::string UnknownZoneText(int zone, const std::string& member) {
    return "zone " + NumberText::Integer(zone) + member + ", which is not in the zones table";
}

// "column_name (position)" of a field of the recordset.
std::string ColumnText(const CRecordset& row, int column) {
    return row.GetFieldName(column) + " (" + NumberText::Integer(column) + ")";
}

// The six input tables, in the order of their check bits.
enum InputTable { Households, Persons, Losdir, Zones, Zone2Zone, VehicleMake, InputTableCount };
const std::array<const char*, InputTableCount> kInputTableNames = {"households", "persons",   "losdir",
                                                                   "zones",      "zone2zone", "VehicleMake"};

}  // namespace

CInputDataManager::CInputDataManager() = default;

CInputDataManager::~CInputDataManager() {
    ReleaseHousehold();
    ClearLOSCaches();
    CloseHouseholdRecordset();
}

bool CInputDataManager::IsPlainIdentifier(const std::string& name) {
    if (name.empty()) return false;
    const unsigned char first = static_cast<unsigned char>(name[0]);
    if (!(std::isalpha(first) || first == '_') || first >= 0x80) return false;
    return std::all_of(name.begin(), name.end(), [](char ch) {
        const unsigned char c = static_cast<unsigned char>(ch);
        return c < 0x80 && (std::isalnum(c) || c == '_');
    });
}

bool CInputDataManager::CheckTables(CDatabase* db) { return WalkTables(db, false); }

bool CInputDataManager::LoadTables(CDatabase* db) { return WalkTables(db, true); }

// Every table of the catalog with its schema, in catalog order.
std::vector<CInputDataManager::CatalogTable> CInputDataManager::ReadTableCatalog() {
    std::vector<CatalogTable> catalog;
    CTables tables(m_pDatabase);
    tables.m_strTypeParam = "'TABLE'";
    tables.Open();
    while (!tables.IsEOF()) {
        catalog.push_back({tables.m_strTableOwner, tables.m_strTableName});
        tables.MoveNext();
    }
    return catalog;
}

// The schema that unqualified table names in queries resolve to. PostgreSQL's
// catalog lists the tables of every schema; SQLite has no schemas.
std::string CInputDataManager::DefaultSchema() {
    if (!m_pDatabase || !m_pDatabase->IsPostgreSQL()) return {};
    try {
        CRecordset schema(m_pDatabase);
        schema.Open("SELECT current_schema()");
        return schema.IsEOF() ? std::string() : schema.GetText(0);
    } catch (const DbError&) {
        return {};
    }
}

namespace {

// Whether an unquoted name in a query reaches the table of the catalog name.
// SQLite compares names without regard to case; PostgreSQL folds the unquoted
// name to lower case and compares exactly, so a table created under a quoted
// name with capitals is out of the queries' reach.
bool Reaches(const std::string& catalogName, const std::string& queried, bool foldsNames) {
    if (!foldsNames) return SameName(catalogName, queried);
    return catalogName.size() == queried.size() &&
           std::equal(queried.begin(), queried.end(), catalogName.begin(), [](char q, char c) {
               return std::tolower(static_cast<unsigned char>(q)) == static_cast<unsigned char>(c);
           });
}

// The catalog entry a query by this name reads: among the entries it reaches,
// the one in the default schema, else the first listed.
template <typename Table>
int ChooseEntry(const std::vector<Table>& catalog, const std::string& name, const std::string& defaultSchema,
                bool foldsNames) {
    int first = -1;
    for (size_t i = 0; i < catalog.size(); ++i) {
        if (!Reaches(catalog[i].name, name, foldsNames)) continue;
        if (!defaultSchema.empty() && catalog[i].owner == defaultSchema) return static_cast<int>(i);
        if (first < 0) first = static_cast<int>(i);
    }
    return first;
}

}  // namespace

bool CInputDataManager::ReportUnreachedTable(const std::vector<CatalogTable>& catalog, const std::string& name,
                                             bool namedInLosdir, MessageIcon icon) {
    if (!m_bFoldsTableNames) return false;
    const int held = ChooseEntry(catalog, name, {}, false);
    if (held < 0) return false;
    const std::string& spelling = catalog[static_cast<size_t>(held)].name;
    m_pMessages->PostOnce("unreached table " + spelling,
                          std::string(namedInLosdir ? "The level-of-service table \"" : "The input table \"") +
                              spelling + (namedInLosdir ? "\" named in losdir" : "\"") +
                              " exists only under a quoted name with capitals, which the queries do not reach "
                              "(PostgreSQL folds their unquoted names to lower case): give it a lower-case name, "
                              "or create it unquoted.",
                          icon);
    return true;
}

bool CInputDataManager::WalkTables(CDatabase* db, bool load) {
    // A new run may read other data than the cached rows came from.
    if (load) {
        ClearLOSCaches();
        m_lookups.ClearMemo();
        m_columns.Reset();
        // The run's messages start afresh, and so does what this manager has met.
        m_unsoundColumns.clear();
    }
    m_pDatabase = db;
    m_bFoldsTableNames = db != nullptr && db->IsPostgreSQL();
    const char* failure = load ? "Error 2" : "Error 1";
    const MessageIcon reportIcon = load ? MessageIcon::Error : MessageIcon::Information;

    std::vector<CatalogTable> catalog;
    std::string defaultSchema;
    try {
        catalog = ReadTableCatalog();
        defaultSchema = DefaultSchema();
    } catch (const DbError& error) {
        ReportDbError(failure, error, reportIcon);
        return false;
    }

    // One catalog entry per input table, even when the catalog lists a name in
    // several schemas; the tables are then handled in catalog order.
    std::array<int, InputTableCount> entry{};
    std::vector<std::pair<int, int>> order;  // (catalog position, input table)
    for (int t = 0; t < InputTableCount; ++t) {
        entry[t] = ChooseEntry(catalog, kInputTableNames[t], defaultSchema, m_bFoldsTableNames);
        if (entry[t] >= 0) order.emplace_back(entry[t], t);
    }
    std::sort(order.begin(), order.end());
    // A table out of the queries' reach has a message of its own; one message
    // names every missing table.
    const MessageIcon missingIcon = load ? MessageIcon::Error : MessageIcon::Warning;
    std::vector<std::string> missing;
    for (int t = 0; t < InputTableCount; ++t)
        if (entry[t] < 0 && !ReportUnreachedTable(catalog, kInputTableNames[t], false, missingIcon))
            missing.push_back(std::string("\"") + kInputTableNames[t] + "\"");
    if (!missing.empty()) {
        std::string names = missing.front();
        for (size_t i = 1; i < missing.size(); ++i) names += (i + 1 == missing.size() ? " and " : ", ") + missing[i];
        const bool one = missing.size() == 1;
        m_pMessages->PostOnce("missing tables " + names,
                              std::string(one ? "The input table " : "The input tables ") + names +
                                  (one ? " does" : " do") + " not exist in the database: the households cannot be simulated.",
                              missingIcon);
    }

    m_nHouseholdWidth = 0;
    m_nPersonWidth = 0;
    m_nZoneWidth = 0;
    try {
        for (const auto& [position, table] : order) {
            const CatalogTable& found = catalog[static_cast<size_t>(position)];
            switch (table) {
                case Households:
                    if (m_pHousehold) {
                        m_nHouseholdWidth = ReadColumnNames(found.name, m_pHousehold.get(), found.owner);
                    } else {
                        CHouseholdObject names(this);
                        m_nHouseholdWidth = ReadColumnNames(found.name, &names, found.owner);
                    }
                    break;
                case Persons: {
                    CPersonObject names(this);
                    m_nPersonWidth = ReadColumnNames(found.name, &names, found.owner);
                    break;
                }
                case Losdir:
                    if (load) {
                        LoadLOSDirectory();
                        if (!LoadLOSNames(catalog, defaultSchema)) return false;
                    }
                    break;
                case Zones:
                    m_nZoneWidth = ReadColumnNames(found.name, &m_zoneNames, found.owner);
                    if (load) LoadZones(found.name);
                    break;
                case Zone2Zone:
                    ReadColumnNames(found.name, &m_zone2ZoneNames, found.owner);
                    if (load && !CheckPastedColumnNames(m_zone2ZoneNames, found.name)) return false;
                    break;
                case VehicleMake:
                    ReadColumnNames(found.name, &m_vehicleMakeNames, found.owner);
                    if (load) LoadVehicleMake(found.name);
                    break;
            }
        }
        if (load && entry[Households] >= 0) FindDuplicateHouseholds();
        if (load && order.size() == InputTableCount) CheckTableContents();
    } catch (const DbError& error) {
        ReportDbError(failure, error, reportIcon);
        // A load that failed part-way leaves the tables incomplete.
        return load ? false : order.size() == InputTableCount;
    } catch (const std::invalid_argument& error) {
        // Unsound input found while loading: every thread finds it, one says so.
        m_pMessages->PostOnce(error.what(), error.what(), MessageIcon::Error);
        return false;
    }
    return order.size() == InputTableCount;
}

std::string CInputDataManager::PairText(int origin, int destination) {
    return "origin " + NumberText::Integer(origin) + ", destination " + NumberText::Integer(destination);
}

bool CInputDataManager::CheckRowWidths() {
    const bool households = CheckWidth("households", m_nHouseholdWidth, InputColumns::kWidestHouseholdColumn);
    const bool persons = CheckWidth("persons", m_nPersonWidth, InputColumns::kWidestPersonColumn);
    const bool zones = CheckWidth("zones", m_nZoneWidth, InputColumns::kWidestZoneColumn);
    return households && persons && zones;
}

bool CInputDataManager::CheckWidth(const char* table, int width, int widestColumn) {
    // No names at all means the columns could not be read ("Error 3" said so).
    if (width == 0 || width > widestColumn) return true;
    m_pMessages->PostOnce(std::string("narrow table ") + table,
                          std::string("The input table \"") + table + "\" has " + NumberText::Integer(width) +
                              " columns, but the simulation reads its columns up to position " +
                              NumberText::Integer(widestColumn) + " (" + NumberText::Integer(widestColumn + 1) +
                              " columns): the households cannot be simulated.",
                          MessageIcon::Error);
    return false;
}

void CInputDataManager::FindDuplicateHouseholds() {
    m_firstDuplicateRow.clear();
    std::vector<long long> duplicates;
    {
        CRecordset rows(m_pDatabase);
        rows.Open("SELECT hid FROM households WHERE hid IS NOT NULL GROUP BY hid HAVING COUNT(*) > 1 ORDER BY hid");
        for (; !rows.IsEOF(); rows.MoveNext()) {
            long long id;
            if (WholeHouseholdId(rows, 0, id)) duplicates.push_back(id);
        }
    }
    if (duplicates.empty()) return;
    // Each is simulated at its first row in the order of the id pages.
    for (long long id : duplicates) m_firstDuplicateRow.emplace(id, -1);
    CRecordset rows(m_pDatabase);
    rows.Open(kHouseholdOrderQuery);
    for (long long position = 0; !rows.IsEOF(); rows.MoveNext(), ++position) {
        long long id;
        if (!WholeHouseholdId(rows, 0, id)) continue;
        const auto found = m_firstDuplicateRow.find(id);
        if (found != m_firstDuplicateRow.end() && found->second < 0) found->second = position;
    }
    std::string list;
    for (long long id : duplicates) list += (list.empty() ? "" : ", ") + NumberText::Integer(id);
    m_pMessages->PostOnce("duplicate households",
                          "The households table holds these household ids more than once: " + list +
                              ". Each is simulated once, with its first row in the order of home zone and id.",
                          MessageIcon::Warning);
}

bool CInputDataManager::TableHasRows(const std::string& table) {
    CRecordset rows(m_pDatabase);
    rows.Open("SELECT 1 FROM " + table + " LIMIT 1");
    return !rows.IsEOF();
}

void CInputDataManager::CheckTableContents() {
    // VehicleMake is checked as it loads.
    if (m_zones.empty())
        throw std::invalid_argument("The input table \"zones\" holds no rows: the households cannot be simulated.");
    for (const std::string& table : m_losTableNames)
        if (!TableHasRows(table))
            throw std::invalid_argument("The level-of-service table \"" + table +
                                        "\" named in losdir holds no rows: the households cannot be simulated.");
    if (!TableHasRows("zone2zone"))
        throw std::invalid_argument("The input table \"zone2zone\" holds no rows: the households cannot be simulated.");
    const bool noHouseholds = !TableHasRows("households");
    if (noHouseholds)
        m_pMessages->PostOnce("empty households",
                              "The input table \"households\" holds no rows: there is no household to simulate.",
                              MessageIcon::Warning);
    m_bNoPersons = !TableHasRows("persons");
    if (m_bNoPersons)
        m_pMessages->PostOnce("empty persons",
                              "The input table \"persons\" holds no rows: every household is simulated without "
                              "members.",
                              MessageIcon::Warning);
    // These two only report: a table they cannot read (a renamed key column)
    // fails where the simulation reads it, with its own message.
    try {
        if (m_pMessages->TakeFirst("unsound household ids")) ReportUnsoundHouseholdIds();
        if (!noHouseholds && !m_bNoPersons && m_pMessages->TakeFirst("persons of no household"))
            ReportPersonsOfNoHousehold();
    } catch (const DbError&) {
    }
}

void CInputDataManager::ReportPersonsOfNoHousehold() {
    CRecordset rows(m_pDatabase);
    // Columns by position: hid, then the person number.
    rows.Open("SELECT p.* FROM persons p LEFT JOIN households h ON p.hid = h.hid WHERE h.hid IS NULL ORDER BY 1, 2");
    RowFindings found;
    for (; !rows.IsEOF(); rows.MoveNext())
        found.Add("hid " + InputKey::FieldText(rows, InputColumns::kPersonHouseholdId) + " (person " +
                  InputKey::FieldText(rows, InputColumns::kPersonNumber) + ")");
    found.Post("persons", "hid names no household of the households table", "not simulated");
}

void CInputDataManager::ReportUnsoundHouseholdIds() {
    // The rows no household can be made of: a NULL id, or one that is not a
    // whole number (text, a fraction, an infinity). Ids outside the range the
    // output files hold are named by the thread whose page holds them.
    CRecordset rows(m_pDatabase);
    rows.Open("SELECT hid, zone_id FROM households WHERE hid IS NULL OR hid <> ROUND(hid) OR NOT (hid >= 0 AND "
              "hid <= 4294967295) ORDER BY zone_id, hid");
    RowFindings found;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        long long id;
        if (!WholeHouseholdId(rows, 0, id))
            found.Add(InputKey::FieldText(rows, 0) + " (zone_id " + InputKey::FieldText(rows, 1) + ")");
    }
    found.Post("households", "hid is NULL or not a whole number, which no household can be made of", "skipped");
}

namespace {

// The kinds of unsound value, as this manager keeps the columns it has met.
enum UnsoundKind { kNotANumber, kNull, kInfinite };

UnsoundKind KindOf(const CRecordset& row, int field) {
    if (row.IsFieldNull(field)) return kNull;
    return row.IsFieldNotANumber(field) ? kNotANumber : kInfinite;
}

}  // namespace

bool CInputDataManager::FirstUnsoundValue(const CRecordset& row, int field, const std::string& table,
                                          int tableColumn) {
    const int column = tableColumn < 0 ? field : tableColumn;
    const int kind = KindOf(row, field);
    for (const UnsoundColumn& met : m_unsoundColumns)
        if (met.column == column && met.kind == kind && met.table == table) return false;
    m_unsoundColumns.push_back({table, column, kind});
    return true;
}

double CInputDataManager::ReportUnsoundValue(const CRecordset& row, int field, const std::string& table,
                                            const std::string& key, int tableColumn) {
    const std::string column =
        row.GetFieldName(field) + " (" + NumberText::Integer(tableColumn < 0 ? field : tableColumn) + ")";
    const std::string where = "\"" + table + "\" holds ";
    if (row.IsFieldNull(field)) {
        m_pMessages->PostOnce("null " + table + "." + row.GetFieldName(field),
                              "The input table " + where + "an empty value (NULL) in column " + column +
                                  ", first at " + key + ". Such values read as 0.0.",
                              MessageIcon::Warning);
        return 0.0;
    }
    const std::string first = " in column " + column + ", first at " + key + ": " + InputKey::FieldText(row, field);
    if (row.IsFieldNotANumber(field)) {
        m_pMessages->PostOnce("not a number " + table + "." + row.GetFieldName(field),
                              "The input table " + where + "a value that is not a number" + first +
                                  ". Such values read as 0.0.",
                              MessageIcon::Warning);
        return 0.0;
    }
    m_pMessages->PostOnce("infinite " + table + "." + row.GetFieldName(field),
                          "The input table " + where + "an infinite value" + first +
                              ". Such values are used as they stand.",
                          MessageIcon::Warning);
    return row.GetDouble(field);
}

// Registers the level-of-service column names from the table of the first
// period. False, with a message, when the directory gives no usable table.
bool CInputDataManager::LoadLOSNames(const std::vector<CatalogTable>& catalog, const std::string& defaultSchema) {
    if (m_losDirectory.empty()) {
        m_pMessages->PostOnce("empty losdir",
                              "The level-of-service directory (losdir) holds no rows: there is no level-of-service "
                              "table to read.",
                              MessageIcon::Error);
        return false;
    }
    // Every table the directory names must exist before the first household
    // needs it.
    for (const auto& [endTime, name] : m_losDirectory) {
        if (ChooseEntry(catalog, name, defaultSchema, m_bFoldsTableNames) >= 0) continue;
        if (ReportUnreachedTable(catalog, name, true, MessageIcon::Error)) return false;
        m_pMessages->PostOnce("missing table " + name,
                              "The level-of-service table \"" + name + "\" named in losdir does not exist.",
                              MessageIcon::Error);
        return false;
    }
    const std::string& table = m_losDirectory.begin()->second;
    const int position = ChooseEntry(catalog, table, defaultSchema, m_bFoldsTableNames);
    const CatalogTable& found = catalog[static_cast<size_t>(position)];
    ReadColumnNames(found.name, &m_losNames, found.owner);
    return CheckPastedColumnNames(m_losNames, table);
}

// Column names of the level-of-service tables and zone2zone are pasted into
// the queries of the level-of-service lookups.
bool CInputDataManager::CheckPastedColumnNames(CDataObject& names, const std::string& table) {
    std::vector<std::string> columns;
    names.GetColumnNames(columns);
    for (const std::string& column : columns) {
        if (!IsPlainIdentifier(column)) {
            m_pMessages->PostOnce("column name " + table + "." + column,
                                  "The column name \"" + column + "\" of table " + table +
                                      " is not a plain identifier: the input tables cannot be used.",
                                  MessageIcon::Error);
            return false;
        }
    }
    return true;
}

int CInputDataManager::ReadColumnNames(const std::string& table, CDataObject* target, const std::string& owner) {
    try {
        CColumns columns(m_pDatabase);
        columns.m_strOwnerParam = owner;
        columns.m_strTableNameParam = table;
        columns.Open();
        // The table argument is a search pattern ('_' matches any character)
        // and without an owner it matches the table in every schema: keep the
        // rows of this one table only.
        std::vector<std::string> names;
        std::string keptOwner;
        bool first = true;
        while (!columns.IsEOF()) {
            if (SameName(columns.m_strTableName, table) && (owner.empty() || columns.m_strTableOwner == owner)) {
                if (first) {
                    keptOwner = columns.m_strTableOwner;
                    first = false;
                }
                if (columns.m_strTableOwner == keptOwner) names.push_back(columns.m_strColumnName);
            }
            columns.MoveNext();
        }
        if (!names.empty()) target->SetColumnNames(names);
        return static_cast<int>(names.size());
    } catch (const DbError& error) {
        ReportDbError("Error 3", error, MessageIcon::Error);
        return 0;
    }
}

void CInputDataManager::LoadLOSDirectory() {
    m_losDirectory.clear();
    CRecordset rows(m_pDatabase);
    rows.Open("SELECT * FROM losdir");
    const int endColumn = rows.FindField("end_t");
    const int nameColumn = rows.FindField("tbname");
    if (endColumn < 0 || nameColumn < 0)
        throw std::invalid_argument("The level-of-service directory (losdir) cannot be loaded: it needs the columns "
                                    "end_t and tbname.");
    // Rows that serve no time of day, and end times given twice.
    std::string noPeriod;
    std::string replaced;
    for (long long rowNumber = 1; !rows.IsEOF(); ++rowNumber, rows.MoveNext()) {
        const std::string row = "row " + NumberText::Integer(rowNumber) + " (end_t " +
                                InputKey::FieldText(rows, endColumn) + ")";
        // A name that is not text would leave the period without a table of its own.
        if (!rows.IsTextField(nameColumn) || rows.IsFieldNull(nameColumn))
            throw std::invalid_argument("The level-of-service directory (losdir) cannot be loaded: column " +
                                        ColumnText(rows, nameColumn) + " of " + row + " holds " +
                                        InputKey::FieldText(rows, nameColumn) + ", which is not a table name.");
        const std::string name = rows.GetText(nameColumn);
        int end;
        if (!InputKey::FieldToInt(rows, endColumn, end))
            throw std::invalid_argument("The level-of-service directory (losdir) cannot be loaded: column " +
                                        ColumnText(rows, endColumn) + " of the row of table \"" + name +
                                        "\" holds " + InputKey::FieldText(rows, endColumn) +
                                        ", which is not a whole number of minutes.");
        if (!IsPlainIdentifier(name))
            throw std::invalid_argument("The level-of-service table name \"" + name +
                                        "\" in losdir is not a plain identifier: the input tables cannot be "
                                        "loaded.");
        if (rows.IsFieldNull(endColumn) || end < 0)
            noPeriod += (noPeriod.empty() ? "" : "; ") + row + " of table \"" + name + "\"";
        const auto [entry, added] = m_losDirectory.try_emplace(end, name);
        if (!added) {
            replaced += (replaced.empty() ? "" : "; ") + std::string("end_t ") + NumberText::Integer(end) + ": \"" +
                        entry->second + "\" by \"" + name + "\" of " + row;
            entry->second = name;
        }
    }
    if (!noPeriod.empty())
        m_pMessages->PostOnce("losdir no period",
                              "The level-of-service directory (losdir) has an end time that is NULL or negative, "
                              "so its table serves no time of day: " + noPeriod + ".",
                              MessageIcon::Warning);
    if (!replaced.empty())
        m_pMessages->PostOnce("losdir repeated end time",
                              "The level-of-service directory (losdir) gives an end time more than once; the later "
                              "row replaces the earlier: " + replaced + ".",
                              MessageIcon::Warning);
    m_losTableNames.clear();
    for (const auto& [endTime, table] : m_losDirectory)
        if (std::find(m_losTableNames.begin(), m_losTableNames.end(), table) == m_losTableNames.end())
            m_losTableNames.push_back(table);
}

void CInputDataManager::LoadZones(const std::string& table) {
    if (!IsPlainIdentifier(table))
        throw std::invalid_argument("The table name \"" + table + "\" is not a plain identifier.");
    m_zones.clear();
    m_zoneIds.clear();
    CRecordset rows(m_pDatabase);
    rows.Open("SELECT * FROM " + table);
    const int n = rows.GetODBCFieldCount();
    const int zoneColumn = rows.FindField("zid");
    if (zoneColumn < 0) throw std::invalid_argument("The zones table cannot be loaded: it needs the column zid.");
    for (long long row = 1; !rows.IsEOF(); ++row) {
        int zone;
        if (!InputKey::FieldToInt(rows, zoneColumn, zone))
            throw std::invalid_argument("The zones table cannot be loaded: column " + ColumnText(rows, zoneColumn) +
                                        " of row " + NumberText::Integer(row) + " holds " +
                                        InputKey::FieldText(rows, zoneColumn) + ", which is not a zone id.");
        std::vector<double>& values = m_zones[zone];
        values.assign(static_cast<size_t>(std::max(n - 1, 0)), 0.0);
        for (int c = 1; c < n; ++c)
            values[static_cast<size_t>(c - 1)] =
                ReadValue(rows, c, table, [&] { return "zone " + NumberText::Integer(zone); });
        rows.MoveNext();
    }
    for (const auto& entry : m_zones) m_zoneIds.push_back(entry.first);
}

void CInputDataManager::LoadVehicleMake(const std::string& table) {
    if (!IsPlainIdentifier(table))
        throw std::invalid_argument("The table name \"" + table + "\" is not a plain identifier.");
    m_vehicleMake.clear();
    CRecordset rows(m_pDatabase);
    rows.Open("SELECT * FROM " + table);
    const int n = rows.GetODBCFieldCount();
    const int typeColumn = rows.FindField("type");
    const int ageColumn = rows.FindField("age");
    if (typeColumn < 0 || ageColumn < 0)
        throw std::invalid_argument("The VehicleMake table cannot be loaded: it needs the columns type and age.");
    // Rows are grouped as they come; a key already in the table keeps its rows.
    std::vector<std::vector<double>> group;
    int groupKey = 0;
    bool haveGroup = false;
    for (long long rowNumber = 1; !rows.IsEOF(); ++rowNumber) {
        const int key = VehicleMakeKey(rows, typeColumn, ageColumn, rowNumber);
        if (haveGroup && key != groupKey) {
            m_vehicleMake.emplace(groupKey, std::move(group));
            group.clear();
        }
        groupKey = key;
        haveGroup = true;
        std::vector<double> row(static_cast<size_t>(n), 0.0);
        for (int c = 0; c < n; ++c)
            row[static_cast<size_t>(c)] =
                ReadValue(rows, c, table, [&] { return "row " + NumberText::Integer(rowNumber); });
        group.push_back(std::move(row));
        rows.MoveNext();
    }
    if (haveGroup) {
        m_vehicleMake.emplace(groupKey, std::move(group));
        return;
    }
    m_pMessages->PostOnce("empty VehicleMake",
                          "The input table \"" + table + "\" holds no rows: every vehicle gets make -1, and the "
                          "variables of its make read 0.0.",
                          MessageIcon::Warning);
}

int CInputDataManager::VehicleMakeKey(const CRecordset& rows, int typeColumn, int ageColumn, long long rowNumber) {
    int type = 0;
    int age = 0;
    const bool typeSound = InputKey::FieldToInt(rows, typeColumn, type);
    const bool ageSound = typeSound && InputKey::FieldToInt(rows, ageColumn, age);
    const long long key = static_cast<long long>(type) * 10 + age;
    if (typeSound && ageSound && key >= std::numeric_limits<int>::min() && key <= std::numeric_limits<int>::max())
        return static_cast<int>(key);
    const int column = typeSound && ageSound ? typeColumn : (typeSound ? ageColumn : typeColumn);
    throw std::invalid_argument("The VehicleMake table cannot be loaded: column " + ColumnText(rows, column) +
                                " of row " + NumberText::Integer(rowNumber) + " holds " +
                                InputKey::FieldText(rows, column) +
                                ", which does not make a vehicle-make key (type x 10 + age).");
}

const std::vector<std::vector<double>>* CInputDataManager::GetVehicleMakeRows(int key) const {
    auto it = m_vehicleMake.find(key);
    return it == m_vehicleMake.end() ? nullptr : &it->second;
}

void CInputDataManager::GetZoneValue(double& value, int column, int zone) const {
    value = 0.0;
    auto it = m_zones.find(zone);
    if (it == m_zones.end() || column < 1 || column > static_cast<int>(it->second.size())) return;
    value = it->second[static_cast<size_t>(column - 1)];
}

void CInputDataManager::GetZoneValues(std::vector<double>& values, int column, const std::vector<int>& zones) const {
    values.reserve(values.size() + zones.size());
    for (int zone : zones) {
        double value = 0.0;
        GetZoneValue(value, column, zone);
        values.push_back(value);
    }
}

long CInputDataManager::CountHouseholds() {
    CRecordset count(m_pDatabase);
    count.Open("SELECT CAST(Count(hid) AS INTEGER)  FROM households");
    // By position: the drivers name the column differently.
    return count.IsEOF() ? 0L : static_cast<long>(count.GetDouble(0));
}

bool CInputDataManager::LoadHouseholdIdPage(unsigned offset, unsigned limit) {
    m_householdIds.clear();
    m_nNextId = 0;
    CloseHouseholdRecordset();
    try {
        m_householdIdRecordset.SetDatabase(m_pDatabase);
        m_householdIdRecordset.m_strFilter.clear();
        m_householdIdRecordset.m_strSort.clear();
        m_householdIdRecordset.Open(kHouseholdOrderQuery + " limit " + NumberText::Integer(limit) + " offset " +
                                    NumberText::Integer(offset));
        for (long long position = offset; !m_householdIdRecordset.IsEOF(); ++position) {
            long long id;
            if (TakeHouseholdId(m_householdIdRecordset, position, id)) m_householdIds.push_back(id);
            m_householdIdRecordset.MoveNext();
        }
    } catch (const DbError& error) {
        ReportDbError("Error 4", error, MessageIcon::Information);
        return false;
    }
    return true;
}

bool CInputDataManager::TakeHouseholdId(const CRecordset& rows, long long position, long long& id) {
    // The table load has reported these, all together.
    if (!WholeHouseholdId(rows, 0, id)) return false;
    if (id < 0 || id > kHighestWrittenHouseholdId) {
        MessageSink::Post("Household " + NumberText::Integer(id) +
                              " has an id outside 0 to 4294967295, which the output files cannot hold: skipped.",
                          MessageIcon::Warning);
        return false;
    }
    // A duplicate id is taken only at its first row.
    const auto duplicate = m_firstDuplicateRow.find(id);
    return duplicate == m_firstDuplicateRow.end() || duplicate->second == position;
}

CHouseholdObject* CInputDataManager::LoadNextHousehold() {
    ReleaseHousehold();
    while (m_nNextId < m_householdIds.size()) {
        const long long id = m_householdIds[m_nNextId++];
        const std::string idText = NumberText::Integer(id);
        {
            CRecordset row(m_pDatabase);
            row.m_strFilter = "hid = " + idText;
            row.Open("SELECT * FROM households");
            if (row.IsEOF()) {
                MessageSink::Post("Household " + idText + " has no row in the households table: skipped.",
                                  MessageIcon::Warning);
                continue;
            }
            m_pHousehold = std::make_unique<CHouseholdObject>(row, this);
            if (!CheckHouseholdRow(row, idText)) {
                ReleaseHousehold();
                continue;
            }
        }
        CRecordset persons(m_pDatabase);
        persons.m_strFilter = "hid = " + idText;
        persons.Open("SELECT * FROM persons");
        bool sound = true;
        while (sound && !persons.IsEOF()) {
            m_pHousehold->AddPerson(persons);
            sound = CheckPersonRow(persons, *m_pHousehold->GetPersons().back(), idText);
            persons.MoveNext();
        }
        persons.Close();
        if (!sound) {
            ReleaseHousehold();
            continue;
        }
        CheckPersonCount(*m_pHousehold, idText);
        return m_pHousehold.get();
    }
    return nullptr;
}

template <typename Object, typename Key>
void CInputDataManager::TakeUnsoundValues(const CRecordset& row, Object& object, const std::string& table,
                                          Key&& key) {
    for (int c = 0; c < row.GetODBCFieldCount(); ++c) {
        const double value = ReadValue(row, c, table, key);
        // Other values stay as the row made them (the household type's rule among them).
        if (row.IsFieldNotANumber(c)) object.SetValue(c, value);
    }
}

bool CInputDataManager::CheckHouseholdRow(const CRecordset& row, const std::string& idText) {
    const int n = row.GetODBCFieldCount();
    if (n > InputColumns::kHomeZone) {
        int zone;
        if (!InputKey::FieldToInt(row, InputColumns::kHomeZone, zone)) {
            PostSkippedForZone(row, InputColumns::kHomeZone, "households", idText,
                               InputKey::FieldText(row, InputColumns::kHomeZone) + ", which is not a zone id");
            return false;
        }
        if (!IsZone(zone)) {
            PostSkippedForZone(row, InputColumns::kHomeZone, "households", idText, UnknownZoneText(zone, ""));
            return false;
        }
    }
    TakeUnsoundValues(row, *m_pHousehold, "households", [&] { return "household " + idText; });
    return true;
}

bool CInputDataManager::CheckPersonRow(const CRecordset& row, CPersonObject& person, const std::string& idText) {
    const int n = row.GetODBCFieldCount();
    auto key = [&] {
        return "household " + idText + ", person " + NumberText::Shortest(row.GetDouble(InputColumns::kPersonNumber));
    };
    for (int column : kPersonZoneColumns) {
        int zone;
        if (column >= n || InputKey::FieldToInt(row, column, zone)) continue;
        PostSkippedForZone(row, column, "persons", idText,
                           InputKey::FieldText(row, column) + " for " + key() + ", which is not a zone id");
        return false;
    }
    TakeUnsoundValues(row, person, "persons", key);
    for (int column : kPersonZoneColumns) {
        if (!IsZoneOfTheDay(person, column)) continue;
        const int zone = CRecordLine::TruncateToInt(person.GetValue(column));
        // Zero is the data's "no zone" (a member without a school or college zone).
        if (zone == 0 || IsZone(zone)) continue;
        PostSkippedForZone(row, column, "persons", idText, UnknownZoneText(zone, " for " + key()));
        return false;
    }
    return true;
}

bool CInputDataManager::IsZoneOfTheDay(const CPersonObject& person, int column) {
    // A narrower table fails the width check before any household is simulated.
    if (person.GetColumnCountOfRow() <= InputColumns::kCollegeZone) return false;
    const auto isSet = [&](int c) { return CRecordLine::TruncateToInt(person.GetValue(c)) != 0; };
    // Who may go to work or school: an employed adult, a student of any age.
    const bool student = isSet(InputColumns::kStudent);
    const bool employed = !person.IsChild() && isSet(InputColumns::kEmployed);
    if (!student && !employed) return false;
    if (column == person.ActivityZoneColumn()) return true;
    // The commutes of a working student read the school zone too, and a
    // school child is taken to the zone of its school column itself.
    return student && (column == person.SchoolZoneColumn() ||
                       (person.IsChild() && column == InputColumns::kSchoolZone));
}

bool CInputDataManager::IsZone(int zone) const {
    // Without a zones table loaded there is nothing to check against.
    return m_zoneIds.empty() || std::binary_search(m_zoneIds.begin(), m_zoneIds.end(), zone);
}

void CInputDataManager::PostSkippedForZone(const CRecordset& row, int column, const std::string& table,
                                           const std::string& idText, const std::string& held) {
    MessageSink::Post("Household " + idText + " skipped: column " + ColumnText(row, column) + " of the " + table +
                          " table holds " + held + ".",
                      MessageIcon::Warning);
}

void CInputDataManager::CheckPersonCount(const CHouseholdObject& household, const std::string& idText) {
    // An empty persons table was reported once, when the tables loaded.
    if (m_bNoPersons || household.GetColumnCountOfRow() <= InputColumns::kPersonCount) return;
    const double declared = household.GetValue(InputColumns::kPersonCount);
    if (declared == static_cast<double>(household.GetPersonCount())) return;
    MessageSink::Post("Household " + idText + ": the households table gives " + NumberText::Shortest(declared) +
                          " members (column " + NumberText::Integer(InputColumns::kPersonCount) +
                          "), the persons table holds " + NumberText::Integer(household.GetPersonCount()) +
                          ". The household is simulated with the persons it holds.",
                      MessageIcon::Warning);
}

void CInputDataManager::ReleaseHousehold() { m_pHousehold.reset(); }

void CInputDataManager::CloseHouseholdRecordset() {
    if (m_householdIdRecordset.IsOpen()) m_householdIdRecordset.Close();
}

// ---------------------------------------------------------------------------
// Level-of-service directory and origin-zone cache

std::string CInputDataManager::GetLOSTableName(double time) const {
    for (const auto& [endTime, name] : m_losDirectory)
        if (static_cast<double>(endTime) > time) return name;
    return {};
}

std::string CInputDataManager::GetLOSTableForLookup(double time) const {
    std::string name = GetLOSTableName(time);
    if (name.empty() && !m_losDirectory.empty()) name = m_losDirectory.rbegin()->second;
    return name;
}

void CInputDataManager::SetOriginZone(int zone) {
    // A new household: the thread holds no origin column it found for the
    // last one (the cache keeps copies of its own).
    m_columns.Announce();
    if (zone == m_nCurrentOriginZone && GetCache(zone) != nullptr) return;
    ClearLOSCaches();
    auto cache = std::make_unique<CLOSCache>(this);
    cache->ReadCache(zone);
    m_losCaches[zone] = std::move(cache);
    m_nCurrentOriginZone = zone;
}

CLOSCache* CInputDataManager::GetCache(int zone) const {
    if (zone != m_nCurrentOriginZone) return nullptr;
    const auto it = m_losCaches.find(zone);
    return it == m_losCaches.end() ? nullptr : it->second.get();
}

void CInputDataManager::ClearLOSCaches() {
    m_losCaches.clear();
    m_nCurrentOriginZone = -1;
}

// ---------------------------------------------------------------------------
// Level-of-service and zone-to-zone queries

std::string CInputDataManager::DestinationFilter(int origin, const std::vector<int>& destinations) {
    if (destinations.size() > kMaxListedDestinations) return "orig_zon = " + NumberText::Integer(origin);
    std::string filter = "orig_zon = " + NumberText::Integer(origin) + " AND ( ";
    filter.reserve(filter.size() + destinations.size() * 24 + 4);
    for (int destination : destinations) filter += "( dest_zon = " + NumberText::Integer(destination) + " ) OR ";
    if (!destinations.empty()) filter.resize(filter.size() - 4);
    filter += " ) ";
    return filter;
}

void CInputDataManager::CountMissingPair(const std::string& table, int origin, int destination) {
    // An empty name: the directory names no table at all (the load refuses that).
    if (!table.empty()) m_missingPairs[table].Add(origin, destination);
}

void CInputDataManager::CountRepeatedPair(const std::string& table, int origin, int destination) {
    m_repeatedPairs[table].Add(origin, destination);
}

void CInputDataManager::EndRun() {
    m_pMessages->AddPairCounts(m_missingPairs, m_repeatedPairs);
    m_missingPairs.clear();
    m_repeatedPairs.clear();
}

const std::vector<std::pair<double, int>>* CInputDataManager::GetCachedSortedDestinations(int column, double time,
                                                                                          int origin) {
    CLOSCache* cache = GetCache(origin);
    return cache != nullptr ? cache->GetSortedDestinations(column, CapTime(time)) : nullptr;
}
