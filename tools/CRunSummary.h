#pragma once
// A run's day in travel-survey figures, from the output files of every
// thread: tours and trips (stops) per person, persons without a tour, the
// share of each tour mode and stop activity, the tours' start times by clock
// hour and the work starts. Written as the Markdown table of the README and
// used by the tests to hold the sample model file to a plausible day.

#include <array>
#include <filesystem>
#include <map>
#include <string>

class CRunSummary {
public:
    // Reads the person, worker, tour and stop files "<name><thread>" of every
    // thread in the folder; false when the folder holds no Adults file or
    // cannot be read.
    bool ReadRunFolder(const std::filesystem::path& folder);

    long Persons() const { return m_persons; }
    double ToursPerPerson() const;
    double TripsPerPerson() const;
    // Share (0-1) of the persons with no tour that has a stop.
    double ShareWithoutTour() const;
    // Share (0-1) of the tours of each mode, and of the stops of each activity.
    const std::map<int, double>& ModeShares() const { return m_modeShares; }
    const std::map<int, double>& ActivityShares() const { return m_activityShares; }
    // Share (0-1) of the workers whose work starts from 5:00 to 11:00.
    double ShareOfWorkStartsFrom5To11() const;
    long EscortStops() const { return m_escortStops; }
    long JointTours() const { return m_jointTours; }

    // The README's table: the figures, the mode and activity shares and the
    // tours' start-time histogram by clock hour.
    std::string MarkdownTable() const;

    // Minute 0 of the simulated day is 3:00 on the clock.
    static constexpr int kClockHourOfMinuteZero = 3;

private:
    long m_persons = 0;
    long m_tours = 0;
    long m_trips = 0;
    long m_personsWithTour = 0;
    long m_workers = 0;
    long m_workStartsFrom5To11 = 0;
    long m_escortStops = 0;
    long m_jointTours = 0;
    std::map<int, long> m_modeCounts;
    std::map<int, long> m_activityCounts;
    std::map<int, double> m_modeShares;
    std::map<int, double> m_activityShares;
    std::array<long, 24> m_startsByClockHour{};
};
