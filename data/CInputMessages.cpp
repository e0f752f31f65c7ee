#include "data/CInputMessages.h"

#include "platform/NumberText.h"

#include <algorithm>

void CInputMessages::PairCount::Add(int origin, int destination) {
    ++count;
    first = std::min(first, std::make_pair(origin, destination));
}

void CInputMessages::PairCount::Merge(const PairCount& other) {
    count += other.count;
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
    m_repeatedPairs.clear();
    m_nHandedOver = 0;
}

void CInputMessages::AddPairCounts(const PairCounts& missing, const PairCounts& repeated) {
    PairCounts runMissing;
    PairCounts runRepeated;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& [table, pairs] : missing) m_missingPairs[table].Merge(pairs);
        for (const auto& [table, pairs] : repeated) m_repeatedPairs[table].Merge(pairs);
        if (++m_nHandedOver < m_nManagers) return;
        runMissing.swap(m_missingPairs);
        runRepeated.swap(m_repeatedPairs);
        m_nHandedOver = 0;
    }
    const auto pairText = [](const PairCount& pairs) {
        return "origin " + NumberText::Integer(pairs.first.first) + ", destination " +
               NumberText::Integer(pairs.first.second);
    };
    for (const auto& [table, pairs] : runMissing)
        MessageSink::Post("The table \"" + table + "\" holds no row for " + NumberText::Integer(pairs.count) +
                              (pairs.count == 1 ? " lookup" : " lookups") +
                              " of a zone pair in this run, the first in zone order for " + pairText(pairs) +
                              ". Such lookups read 0.0.",
                          MessageIcon::Warning);
    for (const auto& [table, pairs] : runRepeated)
        MessageSink::Post("The table \"" + table + "\" holds more than one row for " +
                              NumberText::Integer(pairs.count) + (pairs.count == 1 ? " zone pair" : " zone pairs") +
                              " read in this run, the first in zone order " + pairText(pairs) +
                              ". Lookups use the later row of such a pair, but for a single zone2zone value "
                              "or a commute's return row, which take the first: give each pair one row.",
                          MessageIcon::Warning);
}
