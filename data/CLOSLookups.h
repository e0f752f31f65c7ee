#pragma once
// A worker thread's level-of-service and zone-to-zone lookups: each is
// answered from the cache of the thread's home zone when the origin is that
// zone; from any other origin by the run's store of origin columns, the
// thread's memo of single values or the database, which all give the same
// answers. Owned by the thread's input-data manager, whose lookups these are
// (CInputDataManager says what each gives).

#include "data/CLookupMemo.h"

#include <string>
#include <utility>
#include <vector>

class CInputDataManager;
class COriginColumn;
class COriginColumnReader;
class CPersonObject;

class CLOSLookups {
public:
    explicit CLOSLookups(CInputDataManager& manager);
    CLOSLookups(const CLOSLookups&) = delete;
    CLOSLookups& operator=(const CLOSLookups&) = delete;

    void GetLOS(std::vector<double>& values, int column, double time, int origin,
                const std::vector<int>& destinations);
    void GetLOSAllDestinations(std::vector<int>& destinations, std::vector<double>& values, int column, double time,
                               int origin);
    void GetZone2Zone(double& value, int column, int origin, int destination);
    void GetZone2ZoneForDestinations(std::vector<double>& values, int column, int origin,
                                     const std::vector<int>& destinations);
    void GetAdjacentZones(int origin, std::vector<int>& destinations);
    void GetLOSRecord(CPersonObject* person, int homeZone, int activityZone, double outboundTime,
                      double returnTime);

    // Whether lookups from other origins keep answers (the store and the memo).
    void SetMemo(bool enabled) { m_bMemo = enabled; }
    const CLookupMemo& Memo() const { return m_memo; }
    void ClearMemo() { m_memo.Clear(); }

private:
    COriginColumnReader& Columns();
    // Table columns 0 to 13 of the level-of-service row from -> to at time
    // (already capped); zeros for a missing row or column. A row from the
    // cached origin gives only cachedColumns (null: read from the database).
    void ReadCommuteRow(double time, int from, int to, double (&columns)[14], const std::vector<int>* cachedColumns);
    // GetLOS and GetZone2ZoneForDestinations from an origin that is not the
    // cached one: key and name of the table.
    void ValuesFromOtherOrigin(int key, const std::string& table, int column, int origin,
                               const std::vector<int>& destinations, std::vector<double>& values);
    // The values of the destinations from the origin's column of a table (its
    // key), held or read for the store; false when the lookup must go to the
    // memo or the database (a list the destination filter names, whose column
    // the store neither holds nor has room for).
    bool ValuesFromColumn(int table, int column, int origin, const std::vector<int>& destinations,
                          std::vector<double>& values);
    // A destination's value in a column held; one without a row is counted and reads 0.0.
    double HeldValue(const COriginColumn& held, int table, int origin, int destination);
    // A single value of the memo, or false; Remember keeps one read.
    bool ValueFromMemo(int table, int column, int origin, int destination, double& value);
    void Remember(int table, int column, int origin, int destination, double value);

    CInputDataManager& m_manager;
    CLookupMemo m_memo;
    bool m_bMemo = true;
};
