#pragma once
// One line of the schedule output files (workers, child students, non-workers,
// tours, stops, activity): tab-separated fields that always begin with the
// household id and the person number, written whole with its newline. Numbers
// are formatted here so that every schedule file writes them alike: integers
// in decimal, doubles in the default six-significant-digit form, flags as 0/1.

#include <cstdint>
#include <string>

class COutputFileSet;

class CScheduleLine {
public:
    // A line that starts with the household id (written as an unsigned 32-bit
    // number) and the person number.
    CScheduleLine(int householdId, int personNumber);

    CScheduleLine& Int(long long value);
    // A double in the default form: at most six significant digits, no
    // trailing zeros, no decimal point for whole values.
    CScheduleLine& Double(double value);
    // The double floored first, then written as Double does.
    CScheduleLine& Floored(double value);
    CScheduleLine& Flag(bool value);

    const std::string& Text() const { return m_text; }

    // Writes the line and its newline to one stream of the set. False when the
    // stream is closed or the write failed (the set remembers a failed write).
    bool WriteTo(COutputFileSet& streams, int stream) const;

    // The day's at-home activity line of a person: activity 18, 0, the time
    // at home before the first departure and the home zone.
    static CScheduleLine AtHome(int householdId, int personNumber, int timeAtHome, int homeZone);

private:
    void Separate();

    std::string m_text;
};
