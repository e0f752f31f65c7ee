#include "data/CInputMessages.h"

#include "platform/NumberText.h"

#include <algorithm>

void CInputMessages::MissingPairs::Add(int origin, int destination) {
    ++lookups;
    first = std::min(first, std::make_pair(origin, destination));
}

void CInputMessages::MissingPairs::Merge(const MissingPairs& other) {
    lookups += other.lookups;
    first = std::min(first, other.first);
}

bool CInputMessages::PostOnce(const std::string& subject, const std::string& text, MessageIcon icon) {
    if (!TakeFirst(subject)) return false;
    MessageSink::Post(text, icon);
    return true;
}

bool CInputMessages::TakeFirst(const std::string& subject) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_subjects.insert(subject).second;
}

bool CInputMessages::WasPosted(const std::string& subject) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_subjects.count(subject) != 0;
}

void CInputMessages::Clear() {
    ClearCounts();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_subjects.clear();
}

void CInputMessages::ClearCounts() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_missingPairs.clear();
    m_nHandedOver = 0;
}

void CInputMessages::AddMissingPairs(const MissingPairCounts& counts) {
    MissingPairCounts run;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& [table, pairs] : counts) m_missingPairs[table].Merge(pairs);
        if (++m_nHandedOver < m_nManagers) return;
        run.swap(m_missingPairs);
        m_nHandedOver = 0;
    }
    for (const auto& [table, pairs] : run)
        MessageSink::Post("The table \"" + table + "\" holds no row for " + NumberText::Integer(pairs.lookups) +
                              (pairs.lookups == 1 ? " lookup" : " lookups") +
                              " of a zone pair in this run, the first in zone order for origin " +
                              NumberText::Integer(pairs.first.first) + ", destination " +
                              NumberText::Integer(pairs.first.second) + ". Such lookups read 0.0.",
                          MessageIcon::Warning);
}
