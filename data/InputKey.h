#pragma once
// The one checked conversion of an input key column (household id, zone id,
// period end time, vehicle-make type and age) from the double the database
// gives to the integer the simulation keys on. A key is truncated toward
// zero; a value that is not finite, or whose truncation lies outside the
// integer type, is not a key: the caller skips the household or fails the
// table's load, with a message naming table, column and key.

#include <string>

class CRecordset;

namespace InputKey {

// The key of a value; false, with key untouched, when the value is no key.
bool ToInt(double value, int& key);
bool ToInt64(double value, long long& key);

// The key in field `column` of the recordset's current row (a NULL is 0, as
// it reads 0.0 everywhere); false for text that is not a number and for a
// value that is no key.
bool FieldToInt(const CRecordset& row, int column, int& key);
bool FieldToInt64(const CRecordset& row, int column, long long& key);

// The field as a message shows it: its text for text, "NULL", else the number
// in its shortest form ("nan", "inf", "1e+12").
std::string FieldText(const CRecordset& row, int column);

}  // namespace InputKey
