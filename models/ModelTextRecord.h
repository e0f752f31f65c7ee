#pragma once
// Pieces shared by the model classes when they write and read their record of
// the plain-text form of the model parameters. A record is a type line, a name
// line (both handled by the file level when reading) and the class's number
// lines; every list line ends with a blank before its line break.
//
// Numbers are written locale-independently: integers in decimal, reals in the
// general notation with six significant digits when that text reads back to
// the same number, otherwise with as many digits as it takes. Numbers are read
// as blank-separated words, strictly: a word that is not wholly one finite
// number is an error, and counts are checked before anything is read by them,
// so a garbage count never makes a reader loop or allocate without bound.

#include <iosfwd>
#include <string>

class CVariableSet;

namespace ModelTextRecord {

// Largest count of terms, intervals or alternatives a record may give.
constexpr int kMaxCount = 100000;

// General-notation text of a real that reads back exactly.
std::string Real(double value);
// The same for a 32-bit float field (widened to double).
std::string Float(float value);

// Type line ("class " + class name + " * __ptr64") and name line.
void WriteHeader(std::ostream& out, const char* typeText, const std::string& name);
// The term count line and, for a count of 1 or more, the line of all variable
// IDs and the line of all coefficients.
void WriteTerms(std::ostream& out, const CVariableSet& terms);

// The next word of the stream as a number; false, with the reason in `error`
// (naming `what`), at the end of the stream or for a word that is no number
// of the kind.
bool ReadInt(std::istream& in, int& value, const char* what, std::string& error);
bool ReadReal(std::istream& in, double& value, const char* what, std::string& error);
// A count from 0 to kMaxCount.
bool ReadCount(std::istream& in, int& value, const char* what, std::string& error);
// Term count, then that many IDs and that many coefficients, into an emptied set.
bool ReadTerms(std::istream& in, CVariableSet& terms, std::string& error);
// The rest of the current line, which may hold only blanks, and its line break
// (or the end of the stream).
bool ReadRestOfLine(std::istream& in, std::string& error);

}  // namespace ModelTextRecord
