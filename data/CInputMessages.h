#pragma once
// Messages about unsound input data that every worker thread would otherwise
// post once for itself: a missing, narrow or empty table, text or an infinity
// in a numeric column, duplicate household ids; and the lookups of zone pairs
// that a level-of-service or zone-to-zone table holds no row for, which each
// thread counts for itself and hands over when its run ends. Each message is
// posted the first time one of the threads finds it and then kept quiet until
// the next run. The thread sets share one for the ten managers of a run; a
// manager used alone keeps its own. Only the paths that found bad data, and
// each thread once at its end, come here, so the lock is never taken on the
// way of a sound household.

#include "platform/MessageSink.h"

#include <climits>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>

class CInputMessages {
public:
    // Zone pairs of one table, counted by each thread for itself: lookups of
    // pairs the table holds no row for, or pairs it holds more than one row
    // for. How many, and the smallest pair (origin, then destination), so that
    // what is reported does not depend on which thread met a pair first.
    struct PairCount {
        long long count = 0;
        std::pair<int, int> first{INT_MAX, INT_MAX};
        void Add(int origin, int destination);
        void Merge(const PairCount& other);
    };
    // By table name.
    using PairCounts = std::map<std::string, PairCount>;

    // Posts text unless a message of the same subject was posted since the
    // last Clear. True when it was posted.
    bool PostOnce(const std::string& subject, const std::string& text, MessageIcon icon = MessageIcon::Warning);
    // True for the first call with the subject since the last Clear: what
    // only one of the run's threads need do, such as a check of a whole table
    // that only reports.
    bool TakeFirst(const std::string& subject);
    // Whether a message of the subject was posted since the last Clear.
    bool WasPosted(const std::string& subject) const;
    // Forgets what was posted and counted: the next run reports afresh.
    void Clear();
    // Forgets what was counted but not what was posted: a run whose findings
    // the check on connecting has just posted does not post them again.
    void ClearCounts();

    // How many managers hand over their counts at the end of a run (1 unless
    // the managers of a run share these messages).
    void SetManagerCount(int managers) { m_nManagers = managers; }
    // Adds one manager's counts at the end of its run: the lookups of pairs
    // without a row and the pairs of more than one row. The last manager of
    // the run posts them, one message per table and kind, and the counting
    // starts afresh.
    void AddPairCounts(const PairCounts& missing, const PairCounts& repeated);

private:
    mutable std::mutex m_mutex;
    std::set<std::string> m_subjects;
    PairCounts m_missingPairs;
    PairCounts m_repeatedPairs;
    int m_nManagers = 1;
    int m_nHandedOver = 0;
};
