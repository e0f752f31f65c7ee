#include "data/COriginColumn.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Most zones whose places fit in two bytes.
constexpr std::size_t kNarrowPlaces = std::size_t{1} << 16;

// Ascending by value, values that are not numbers last; equal values keep
// their order.
bool ValueBefore(double a, double b) {
    const bool aNan = std::isnan(a);
    const bool bNan = std::isnan(b);
    if (aNan != bNan) return bNan;
    return !aNan && a < b;
}

}  // namespace

void COriginColumn::SortByValueThenZone(std::vector<std::pair<double, int>>& pairs) {
    std::sort(pairs.begin(), pairs.end(), [](const std::pair<double, int>& a, const std::pair<double, int>& b) {
        if (ValueBefore(a.first, b.first)) return true;
        if (ValueBefore(b.first, a.first)) return false;
        return a.second < b.second;
    });
}

std::unique_ptr<COriginColumn> COriginColumn::FromRows(std::vector<std::pair<double, int>> rows,
                                                       const COriginLayout& layout) {
    std::unique_ptr<COriginColumn> column(new COriginColumn);
    const size_t zones = static_cast<size_t>(layout.ZoneCount());
    if (rows.size() == zones) {
        // Dense when every row is a zone of its own.
        std::vector<double> values(zones);
        std::vector<char> seen(zones, 0);
        bool dense = true;
        for (const auto& [value, destination] : rows) {
            const int place = layout.Position(destination);
            if (place < 0 || seen[static_cast<size_t>(place)]) {
                dense = false;
                break;
            }
            seen[static_cast<size_t>(place)] = 1;
            values[static_cast<size_t>(place)] = value;
        }
        if (dense) {
            column->m_bDense = true;
            column->m_values = std::move(values);
            return column;
        }
    }
    // By destination: the later row of a repeated destination answers.
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return rows[a].second < rows[b].second; });
    column->m_destinations.reserve(rows.size());
    column->m_values.reserve(rows.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const auto& [value, destination] = rows[order[i]];
        if (!column->m_destinations.empty() && column->m_destinations.back() == destination) {
            column->m_values.back() = value;
            if (column->m_repeated.empty() || column->m_repeated.back() != destination)
                column->m_repeated.push_back(destination);
            continue;
        }
        column->m_destinations.push_back(destination);
        column->m_values.push_back(value);
    }
    column->m_destinations.shrink_to_fit();
    column->m_values.shrink_to_fit();
    column->m_repeated.shrink_to_fit();
    SortByValueThenZone(rows);
    column->m_byValue = std::move(rows);
    return column;
}

COriginColumn::~COriginColumn() { delete m_order.load(std::memory_order_acquire); }

const double* COriginColumn::Find(int destination, int position) const {
    if (m_bDense) return position >= 0 ? &m_values[static_cast<size_t>(position)] : nullptr;
    const auto it = std::lower_bound(m_destinations.begin(), m_destinations.end(), destination);
    if (it == m_destinations.end() || *it != destination) return nullptr;
    return &m_values[static_cast<size_t>(it - m_destinations.begin())];
}

void COriginColumn::Destinations(const COriginLayout& layout, std::vector<int>& destinations) const {
    destinations = m_bDense ? layout.Zones() : m_destinations;
}

std::unique_ptr<const COriginColumn::Order> COriginColumn::MakeOrder() const {
    auto made = std::make_unique<Order>();
    // Places ascend with the zone ids, so equal values stay in zone order.
    auto sort = [&](auto& places) {
        places.resize(m_values.size());
        std::iota(places.begin(), places.end(), 0);
        std::stable_sort(places.begin(), places.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return ValueBefore(m_values[a], m_values[b]); });
    };
    if (m_values.size() <= kNarrowPlaces)
        sort(made->narrow);
    else
        sort(made->wide);
    return made;
}

const COriginColumn::Order* COriginColumn::KeepOrder(std::unique_ptr<const Order> made) const {
    const Order* expected = nullptr;
    if (!m_order.compare_exchange_strong(expected, made.get(), std::memory_order_acq_rel, std::memory_order_acquire))
        return expected;  // another thread kept its order first
    return made.release();
}

std::size_t COriginColumn::ByteCount() const {
    return sizeof(COriginColumn) + m_values.capacity() * sizeof(double) + m_destinations.capacity() * sizeof(int) +
           m_byValue.capacity() * sizeof(std::pair<double, int>) + m_repeated.capacity() * sizeof(int);
}

std::size_t COriginColumn::OrderBytes() const {
    if (!m_bDense) return 0;
    const std::size_t place = m_values.size() <= kNarrowPlaces ? sizeof(std::uint16_t) : sizeof(std::uint32_t);
    return sizeof(Order) + m_values.size() * place;
}
