#include "data/InputKey.h"

#include "platform/CRecordset.h"
#include "platform/NumberText.h"

#include <cmath>
#include <limits>

namespace {

template <typename Integer>
bool ToKey(double value, Integer& key) {
    if (!std::isfinite(value)) return false;
    const double truncated = std::trunc(value);
    // The lowest value of the type is a power of two and exact as a double;
    // the highest is not, so the test is against its successor.
    constexpr double lowest = static_cast<double>(std::numeric_limits<Integer>::min());
    constexpr double aboveHighest = -lowest;
    if (truncated < lowest || truncated >= aboveHighest) return false;
    key = static_cast<Integer>(truncated);
    return true;
}

template <typename Integer>
bool FieldToKey(const CRecordset& row, int column, Integer& key) {
    // A NULL reads as 0.0 here as everywhere: a missing zone is zone 0.
    if (row.IsFieldNotANumber(column)) return false;
    return ToKey(row.GetDouble(column), key);
}

}  // namespace

bool InputKey::ToInt(double value, int& key) { return ToKey(value, key); }

bool InputKey::ToInt64(double value, long long& key) { return ToKey(value, key); }

bool InputKey::FieldToInt(const CRecordset& row, int column, int& key) { return FieldToKey(row, column, key); }

bool InputKey::FieldToInt64(const CRecordset& row, int column, long long& key) {
    return FieldToKey(row, column, key);
}

std::string InputKey::FieldText(const CRecordset& row, int column) {
    if (row.IsFieldNull(column)) return "NULL";
    if (row.IsFieldNotANumber(column) && !std::isnan(row.GetDouble(column))) return "\"" + row.GetText(column) + "\"";
    return NumberText::Shortest(row.GetDouble(column));
}
