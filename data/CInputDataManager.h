#pragma once
// A worker thread's access to the input database: the check of the six input
// tables, the small tables kept in memory for a whole run (level-of-service
// directory, zones, vehicle makes), the registry of column names, the thread's
// page of household ids and the household being simulated with its persons,
// and the level-of-service and zone-to-zone lookups, answered from the cache
// of the current origin zone or else from the database.
// The application owns one per worker thread; each uses only its own thread's
// connection.

#include "data/CHouseholdObject.h"
#include "data/CInputMessages.h"
#include "data/CLOSCache.h"
#include "data/CLOSData.h"
#include "data/CLOSLookups.h"
#include "data/CLookupMemo.h"
#include "data/COriginColumnReader.h"
#include "data/COriginColumnStore.h"
#include "data/CVehMData.h"
#include "data/CZone2ZoneData.h"
#include "data/CZoneData.h"
#include "platform/CRecordset.h"

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CDatabase;
class CModelSystem;
class CPersonObject;
struct CCommuteLOSRecord;

class CInputDataManager {
public:
    CInputDataManager();
    ~CInputDataManager();
    CInputDataManager(const CInputDataManager&) = delete;
    CInputDataManager& operator=(const CInputDataManager&) = delete;

    // Remembers db as the connection, checks through the table catalog that the
    // six input tables exist under the names the queries reach (each counted
    // once) and registers the column names of households, persons, zones,
    // zone2zone and VehicleMake. The queries name the tables unquoted: SQLite
    // finds a table whatever the letter case, PostgreSQL folds the name to
    // lower case, so there a table held only under a quoted name with
    // capitals is not reached. False, with a message naming the table, when a
    // table is missing or not reached. A database error is reported as
    // "Error 1" and gives false.
    bool CheckTables(CDatabase* db);
    // What CheckTables does, plus the level-of-service column names and the
    // loading of losdir, zones and VehicleMake (each load replaces what an
    // earlier load left), and the search for household ids that occur more
    // than once (each is then taken only at its first row of the id order).
    // False when a table is missing or not reached, losdir is empty or names
    // a table that does not exist or is not reached, a key of losdir, zones or
    // VehicleMake is not a whole number in range, a name to be pasted into SQL
    // is not a plain identifier, or a database error occurs ("Error 2").
    // Messages about the data go through the input messages, so a run's ten
    // threads post each once.
    bool LoadTables(CDatabase* db);

    // Registers the columns of table, in catalog order, as the column names of
    // target's class, and gives their number. owner (a schema) narrows the
    // catalog to one table when the same name exists in several schemas. A
    // database error is reported as "Error 3", registers nothing and gives 0.
    int ReadColumnNames(const std::string& table, CDataObject* target, const std::string& owner = {});

    // Whether households, persons and zones, as the last check or load found
    // them, hold every column the simulation reads (InputColumns). False, with
    // one message per table naming its width and the widest column read, when
    // one is narrower: the households cannot be simulated.
    bool CheckRowWidths();

    // The messages about unsound input data go through messages (shared by the
    // managers of one run) instead of the manager's own.
    void SetInputMessages(CInputMessages* messages) { m_pMessages = messages ? messages : &m_ownMessages; }
    CInputMessages& GetInputMessages() const { return *m_pMessages; }

    // Field `field` of the row: its number, or 0.0 for a value that is not a
    // number or is NULL. The first value of each table and column that is not
    // a number, the first that is NULL and the first that is infinite are
    // reported with the key that key() gives (made only then); an infinite
    // value is kept, since a number in its place could turn "unreachable" into
    // "near". tableColumn is the field's position in the table when the query
    // picks columns (-1: the same). A column already reported costs a short
    // search of this manager's own list, without a lock.
    template <typename Key>
    double ReadValue(const CRecordset& row, int field, const std::string& table, Key&& key, int tableColumn = -1) {
        const double value = row.GetDouble(field);
        if (std::isfinite(value) && !row.IsFieldNotANumber(field) && !row.IsFieldNull(field)) return value;
        if (!FirstUnsoundValue(row, field, table, tableColumn)) return std::isinf(value) ? value : 0.0;
        return ReportUnsoundValue(row, field, table, key(), tableColumn);
    }
    // Reports a value that is not a number or is NULL (it reads 0.0), or is
    // infinite (kept), once per table and column, and gives what the value reads.
    double ReportUnsoundValue(const CRecordset& row, int field, const std::string& table, const std::string& key,
                              int tableColumn = -1);
    // The key of a level-of-service or zone-to-zone row in those reports.
    static std::string PairText(int origin, int destination);

    // Counts a lookup of a zone pair that the table holds no row for: every
    // lookup path (the cache, the store of origin columns, the database)
    // calls it. The counts are the thread's own until EndRun.
    void CountMissingPair(const std::string& table, int origin, int destination);
    // Counts a zone pair that the table holds more than one row for (the later
    // row answers), as the rows of an origin asked for whole are read: once
    // per run for each (table, origin, destination), whichever thread reads
    // them, and however often (COriginColumnReader).
    void CountRepeatedPair(const std::string& table, int origin, int destination);
    // Hands the run's counts of missing and repeated pairs to the input
    // messages (the last manager of a run posts them) and starts counting
    // afresh. Called once at the end of every run of the thread, however it
    // ended.
    void EndRun();

    // Fill the in-memory tables; database errors pass to the caller.
    void LoadLOSDirectory();
    void LoadZones(const std::string& table);
    void LoadVehicleMake(const std::string& table);

    // Column `column` (1 to n-1, position in zones) of zone; 0.0 for a zone
    // the table does not hold or a column outside the row.
    void GetZoneValue(double& value, int column, int zone) const;
    // Appends column `column` of each zone of the list, in list order (0.0 as above).
    void GetZoneValues(std::vector<double>& values, int column, const std::vector<int>& zones) const;

    // Number of households in the input database; database errors pass to the caller.
    long CountHouseholds();

    // Reads one page of household ids in zone order (offset, limit); every call
    // starts a new page. Ids are 64-bit; an id that is not a whole number, or
    // lies outside 0 to 4294967295 (what the output files hold), is skipped
    // with a message, and so is every row of a duplicate id but its first. A
    // database error is reported as "Error 4"; the ids read before it stay
    // and the result is false.
    bool LoadHouseholdIdPage(unsigned offset, unsigned limit);
    // Deletes the previous household and loads the next one of the page with
    // its persons; it stays the current household. An id without a households
    // row, or with a home zone or a member's work, school or college zone that
    // is not a zone id, is skipped with a message. Values that are not numbers
    // or NULL read 0.0 (reported once per table and column); a member count
    // (column 9) that differs from the persons rows is reported. Null once the
    // page is used up. Database errors pass to the caller.
    CHouseholdObject* LoadNextHousehold();
    // Deletes the current household with its persons.
    void ReleaseHousehold();
    // Closes the household-id recordset if it is open.
    void CloseHouseholdRecordset();

    // Level-of-service table name of every period, by end time (minutes).
    const std::map<int, std::string>& GetLOSDirectory() const { return m_losDirectory; }
    // The distinct tables of the directory, in directory order.
    const std::vector<std::string>& GetLOSTableNames() const { return m_losTableNames; }
    // Zone id -> columns 1 to n-1 of the zone's row.
    const std::map<int, std::vector<double>>& GetZoneTable() const { return m_zones; }
    // The zone ids, ascending.
    const std::vector<int>& GetZoneIds() const { return m_zoneIds; }
    // Key type x 10 + age -> the VehicleMake rows of that key (all columns).
    const std::map<int, std::vector<std::vector<double>>>& GetVehicleMakeTable() const { return m_vehicleMake; }
    // The rows of one key; null when the table has none.
    const std::vector<std::vector<double>>* GetVehicleMakeRows(int key) const;

    // ---- Level-of-service directory and origin-zone cache ----

    // The level-of-service table of a time of day (minutes): the table of the
    // first period whose end time is above the time; empty when none is.
    std::string GetLOSTableName(double time) const;
    // The table the lookups read for a time: GetLOSTableName, or the last
    // period's table for a time at or past the last end time; empty only when
    // the directory is empty.
    std::string GetLOSTableForLookup(double time) const;
    // Makes zone the cached origin: when it differs from the current origin
    // zone, the cache is dropped and filled with the rows of zone. A database
    // error passes to the caller and leaves no cache and no current origin.
    // Called once per household, before it is simulated: the thread then
    // holds no origin column of the store it found before.
    void SetOriginZone(int zone);
    // The cache when zone is the cached origin, else null.
    CLOSCache* GetCache(int zone) const;
    // Drops every cache and forgets the current origin zone, so that the next
    // SetOriginZone fills the cache afresh.
    void ClearLOSCaches();

    // ---- Level-of-service and zone-to-zone queries ----
    // Each answers from the cache when the origin is the cached one, else
    // from the run's store of origin columns, the thread's memo of single
    // values or the database (CLOSLookups); all give the same answers. Every query first
    // empties its output list(s). A time above 1439.0 is taken as 1439.0; a
    // time at or past the directory's last end time reads the last period's
    // table. A destination without a row reads 0.0, and so does a value that
    // is not a number or NULL (reported once per table and column), from the
    // cache and from the database alike. Database errors pass to the caller
    // unless noted.

    // Column `column` of the level-of-service table of `time`, origin to each
    // destination, in list order. An empty list sends no query.
    void GetLOS(std::vector<double>& values, int column, double time, int origin,
                const std::vector<int>& destinations) {
        m_lookups.GetLOS(values, column, time, origin, destinations);
    }
    // Every destination of the origin with its value of `column` at `time`,
    // ascending by value, then by destination.
    void GetLOSAllDestinations(std::vector<int>& destinations, std::vector<double>& values, int column, double time,
                               int origin) {
        m_lookups.GetLOSAllDestinations(destinations, values, column, time, origin);
    }
    // GetLOSAllDestinations as (value, destination) pairs held by the cache
    // of the origin, without a copy: valid until the cache is dropped. Null
    // when the origin is not the cached one (ask GetLOSAllDestinations) or
    // it has no destination.
    const std::vector<std::pair<double, int>>* GetCachedSortedDestinations(int column, double time, int origin);
    // One zone2zone value (0.0 without a row). A database error is reported
    // (its message, then its state and native code) and gives 0.0.
    void GetZone2Zone(double& value, int column, int origin, int destination) {
        m_lookups.GetZone2Zone(value, column, origin, destination);
    }
    // Column `column` of zone2zone, origin to each destination, in list order.
    void GetZone2ZoneForDestinations(std::vector<double>& values, int column, int origin,
                                     const std::vector<int>& destinations) {
        m_lookups.GetZone2ZoneForDestinations(values, column, origin, destinations);
    }
    // The zones adjacent to the origin (zone2zone adjacent = 1), ascending.
    void GetAdjacentZones(int origin, std::vector<int>& destinations) {
        m_lookups.GetAdjacentZones(origin, destinations);
    }
    // Gives person a new commute record: the level-of-service rows home ->
    // activity zone at outboundTime and back at returnTime, and the distance
    // from the activity zone to home. A pair without a row reads 0.0. A
    // database error is reported and leaves the person's previous record.
    void GetLOSRecord(CPersonObject* person, int homeZone, int activityZone, double outboundTime,
                      double returnTime) {
        m_lookups.GetLOSRecord(person, homeZone, activityZone, outboundTime, returnTime);
    }

    // Whether the lookups from origins other than the cached one keep their
    // answers: whole origin columns in the store of origin columns, single
    // values of origins that are not zones in the thread's memo (on unless
    // switched off); the answers are the same either way. Switching it
    // changes nothing already held.
    void SetLookupMemo(bool enabled) { m_lookups.SetMemo(enabled); }
    const CLookupMemo& GetLookupMemo() const { return m_lookups.Memo(); }
    // The origin columns are kept in a store shared by the threads of a run
    // (not owned; it must outlive the lookups until LeaveColumnStore or the
    // next SetColumnStore), or with null in the manager's own.
    void SetColumnStore(COriginColumnStore* shared) { m_columns.SetStore(shared); }
    COriginColumnStore& GetColumnStore() { return m_columns.Store(); }
    // The thread's run is over: it holds no column of the store.
    void LeaveColumnStore() { m_columns.Leave(); }
    // Where the cache and the lookups from other origins get origin columns.
    COriginColumnReader& GetColumnReader() { return m_columns; }

    // The WHERE clause of the list queries: "orig_zon = 7 AND ( ( dest_zon = 5
    // ) OR ( dest_zon = 9 ) ) " for origin 7 and destinations 5, 9.
    // A list longer than kMaxListedDestinations gives "orig_zon = 7" alone: a
    // database refuses an OR chain of a thousand terms, and the rows of the
    // origin are read and picked by destination just the same.
    static constexpr size_t kMaxListedDestinations = 100;
    static std::string DestinationFilter(int origin, const std::vector<int>& destinations);
    // A time above 1439.0 becomes 1439.0.
    static double CapTime(double time) { return time > 1439.0 ? 1439.0 : time; }

    const std::vector<long long>& GetHouseholdIds() const { return m_householdIds; }
    unsigned GetNextHouseholdIndex() const { return m_nNextId; }
    CHouseholdObject* GetCurrentHousehold() const { return m_pHousehold.get(); }

    CDatabase* GetDatabase() const { return m_pDatabase; }
    CModelSystem* GetModelSystem() const { return m_pModelSystem; }
    void SetModelSystem(CModelSystem* models) { m_pModelSystem = models; }
    int GetCurrentOriginZone() const { return m_nCurrentOriginZone; }

    CZone2ZoneData& GetZone2ZoneNames() { return m_zone2ZoneNames; }
    CZoneData& GetZoneNames() { return m_zoneNames; }
    CVehMData& GetVehicleMakeNames() { return m_vehicleMakeNames; }
    CLOSData& GetLOSNames() { return m_losNames; }

    // True for a name that may be pasted into SQL as it stands: a letter or
    // '_' followed by letters, digits and '_'.
    static bool IsPlainIdentifier(const std::string& name);

private:
    struct CatalogTable {
        std::string owner;
        std::string name;
    };
    bool WalkTables(CDatabase* db, bool load);
    std::vector<CatalogTable> ReadTableCatalog();
    std::string DefaultSchema();
    bool LoadLOSNames(const std::vector<CatalogTable>& catalog, const std::string& defaultSchema);
    // On a database that folds unquoted names (PostgreSQL), a table the
    // catalog holds under name only in another letter case is out of the
    // queries' reach: true, with a message naming it (as an input table, or
    // as a level-of-service table named in losdir).
    bool ReportUnreachedTable(const std::vector<CatalogTable>& catalog, const std::string& name,
                              bool namedInLosdir, MessageIcon icon);
    bool CheckPastedColumnNames(CDataObject& names, const std::string& table);
    // Whether this manager meets an unsound value of the kind of the field in
    // this table column for the first time since the tables loaded.
    bool FirstUnsoundValue(const CRecordset& row, int field, const std::string& table, int tableColumn);
    // False, with a message, for a table narrower than its widest column read.
    bool CheckWidth(const char* table, int width, int widestColumn);
    void FindDuplicateHouseholds();
    // The id of a page row; false for a row to skip.
    bool TakeHouseholdId(const CRecordset& rows, long long position, long long& id);
    // Checks of the rows just read; false skips the household.
    bool CheckHouseholdRow(const CRecordset& row, const std::string& idText);
    bool CheckPersonRow(const CRecordset& row, CPersonObject& person, const std::string& idText);
    // Reports the row's values that are not numbers, NULL or infinite
    // (ReadValue), and gives the object, made from the row, 0.0 for each that
    // is not a number.
    template <typename Object, typename Key>
    void TakeUnsoundValues(const CRecordset& row, Object& object, const std::string& table, Key&& key);
    // Whether the member's day may read the zone of the persons column (the
    // work, school or college zone).
    static bool IsZoneOfTheDay(const CPersonObject& person, int column);
    // Whether zone is a zone id of the zones table loaded.
    bool IsZone(int zone) const;
    // "Household <id> skipped: column <column> of the <table> table holds <held>."
    static void PostSkippedForZone(const CRecordset& row, int column, const std::string& table,
                                   const std::string& idText, const std::string& held);
    // What the tables hold as a whole, when they load: a level-of-service
    // table or zone2zone without rows fails the load (std::invalid_argument);
    // empty households and persons tables, household rows without a usable
    // id and persons of no household are reported, once per run.
    void CheckTableContents();
    bool TableHasRows(const std::string& table);
    // One message for the households rows whose id is NULL or not a whole number.
    void ReportUnsoundHouseholdIds();
    // One message for the persons rows whose hid names no household.
    void ReportPersonsOfNoHousehold();
    void CheckPersonCount(const CHouseholdObject& household, const std::string& idText);
    // type x 10 + age of a VehicleMake row; std::invalid_argument when it is none.
    static int VehicleMakeKey(const CRecordset& rows, int typeColumn, int ageColumn, long long rowNumber);
    CLOSLookups m_lookups{*this};
    COriginColumnReader m_columns{*this};
    // The distinct table names of the directory, in directory order.
    std::vector<std::string> m_losTableNames;
    // The zone ids, ascending.
    std::vector<int> m_zoneIds;
    std::map<int, std::string> m_losDirectory;
    std::map<int, std::vector<double>> m_zones;
    std::map<int, std::vector<std::vector<double>>> m_vehicleMake;
    // Level-of-service caches by origin zone (owned); at most one entry, the
    // cache of the current origin zone.
    std::map<int, std::unique_ptr<CLOSCache>> m_losCaches;
    int m_nCurrentOriginZone = -1;
    CModelSystem* m_pModelSystem = nullptr;
    CDatabase* m_pDatabase = nullptr;
    CRecordset m_householdIdRecordset;
    CZone2ZoneData m_zone2ZoneNames;
    CZoneData m_zoneNames;
    CVehMData m_vehicleMakeNames;
    CLOSData m_losNames;
    std::unique_ptr<CHouseholdObject> m_pHousehold;
    std::vector<long long> m_householdIds;
    unsigned m_nNextId = 0;
    // Columns of households and persons found by the last check or load (0
    // when not read).
    int m_nHouseholdWidth = 0;
    int m_nPersonWidth = 0;
    int m_nZoneWidth = 0;
    // Whether the database folds the unquoted table names of the queries to
    // lower case (PostgreSQL) rather than compare them without regard to case.
    bool m_bFoldsTableNames = false;
    // The table columns whose unsound values of a kind this manager has met
    // since the tables loaded: few, so a list.
    struct UnsoundColumn {
        std::string table;
        int column;
        int kind;
    };
    std::vector<UnsoundColumn> m_unsoundColumns;
    // Household ids that occur more than once -> position of their first row
    // in the order of the id pages.
    std::map<long long, long long> m_firstDuplicateRow;
    // Whether the persons table held no rows when the tables loaded.
    bool m_bNoPersons = false;
    // This run's lookups of zone pairs without a row, and its pairs of more
    // than one row, by table.
    CInputMessages::PairCounts m_missingPairs;
    CInputMessages::PairCounts m_repeatedPairs;
    CInputMessages m_ownMessages;
    CInputMessages* m_pMessages = &m_ownMessages;
};
