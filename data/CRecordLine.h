#pragma once
// One line of the household's own output files (Adults.out, Children.out,
// Vehicles.out): tab-separated fields written whole with their newline. A
// failed write is reported once per file, when the file first fails, so a full
// disk does not go unnoticed and does not flood the messages either.

#include <cstdint>
#include <string>

class COutputFileSet;

class CRecordLine {
public:
    CRecordLine() { m_text.reserve(64); }

    CRecordLine& Int(long long value);
    CRecordLine& Flag(bool value) { return Int(value ? 1 : 0); }
    // A double as the text streams write it by default (six significant digits).
    CRecordLine& Double(double value);
    // A household id column as written: truncated to an unsigned 64-bit
    // integer, of which the low 32 bits are written.
    CRecordLine& HouseholdId(double column0) { return Int(OutputHouseholdId(column0)); }

    const std::string& Text() const { return m_text; }

    // Writes the line to one stream of the set; false when it was not written.
    bool WriteTo(COutputFileSet& streams, int stream) const;

    // The written form of a household id: the value truncated to a 64-bit
    // integer (negative values through the signed type, so they wrap as an
    // integer conversion does), keeping its low 32 bits; 0 for a value that is
    // not a number.
    static std::uint32_t OutputHouseholdId(double column0);
    // A column value truncated toward zero to an int, held at the ends of the
    // int range; 0 for a value that is not a number.
    static int TruncateToInt(double value);

private:
    std::string m_text;
};
