#include "tools/CRunSummary.h"

#include "household/COutputFileSet.h"
#include "platform/NumberText.h"

#include <cmath>
#include <fstream>
#include <set>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace {

constexpr int kEscortActivityFirst = 10;
constexpr int kEscortActivityLast = 11;
constexpr double kJointTravelCode = 2.0;
// Work starts from 5:00 to 11:00 on the clock, in minutes of the simulated day.
constexpr double kWorkStartFrom = (5 - CRunSummary::kClockHourOfMinuteZero) * 60.0;
constexpr double kWorkStartTo = (11 - CRunSummary::kClockHourOfMinuteZero) * 60.0;

// The numeric fields of each line of the file.
std::vector<std::vector<double>> ReadLines(const std::filesystem::path& path) {
    std::vector<std::vector<double>> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::vector<double> fields;
        size_t start = 0;
        for (;;) {
            const size_t tab = line.find('\t', start);
            fields.push_back(NumberText::ToDouble(line.substr(start, tab == std::string::npos ? tab : tab - start)));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        lines.push_back(std::move(fields));
    }
    return lines;
}

std::string Percent(double share) { return NumberText::Fixed(100.0 * share, 1) + " %"; }

double Share(long part, long whole) { return whole > 0 ? static_cast<double>(part) / static_cast<double>(whole) : 0.0; }

}  // namespace

bool CRunSummary::ReadRunFolder(const std::filesystem::path& folder) {
    *this = CRunSummary();
    const auto& names = COutputFileSet::DefaultOutputNames();
    auto file = [&](int stream, int thread) {
        return folder / (std::string(names[static_cast<size_t>(COutputFileSet::NameIndexOfStream(stream))]) +
                         NumberText::Integer(thread));
    };
    bool any = false;
    std::set<std::pair<double, double>> withTour;
    for (int thread = 1; thread <= 10; ++thread) {
        std::error_code unreadable;
        if (!std::filesystem::exists(file(COutputFileSet::kAdults, thread), unreadable)) continue;
        any = true;
        m_persons += static_cast<long>(ReadLines(file(COutputFileSet::kAdults, thread)).size() +
                                       ReadLines(file(COutputFileSet::kChildren, thread)).size());
        for (const auto& worker : ReadLines(file(COutputFileSet::kWorkers, thread))) {
            if (worker.size() < 3) continue;
            ++m_workers;
            if (worker[2] >= kWorkStartFrom && worker[2] <= kWorkStartTo) ++m_workStartsFrom5To11;
        }
        const auto stops = ReadLines(file(COutputFileSet::kStops, thread));
        size_t next = 0;
        for (const auto& tour : ReadLines(file(COutputFileSet::kTours, thread))) {
            if (tour.size() < 10) continue;
            const auto count = static_cast<size_t>(std::max(0.0, tour[6]));
            if (count == 0) continue;
            ++m_tours;
            ++m_modeCounts[static_cast<int>(tour[4])];
            withTour.insert({tour[0], tour[1]});
            if (tour[8] == kJointTravelCode) ++m_jointTours;
            for (size_t k = 0; k < count && next < stops.size(); ++k, ++next) {
                const auto& stop = stops[next];
                if (stop.size() < 12) continue;
                ++m_trips;
                const int activity = static_cast<int>(stop[4]);
                ++m_activityCounts[activity];
                if (activity >= kEscortActivityFirst && activity <= kEscortActivityLast) ++m_escortStops;
                if (k == 0) {
                    const int hour = (static_cast<int>(std::floor(stop[5] / 60.0)) + kClockHourOfMinuteZero) % 24;
                    ++m_startsByClockHour[static_cast<size_t>(hour)];
                }
            }
        }
    }
    m_personsWithTour = static_cast<long>(withTour.size());
    for (const auto& [mode, count] : m_modeCounts) m_modeShares[mode] = Share(count, m_tours);
    for (const auto& [activity, count] : m_activityCounts) m_activityShares[activity] = Share(count, m_trips);
    return any;
}

double CRunSummary::ToursPerPerson() const { return Share(m_tours, m_persons); }
double CRunSummary::TripsPerPerson() const { return Share(m_trips, m_persons); }
double CRunSummary::ShareWithoutTour() const { return 1.0 - Share(m_personsWithTour, m_persons); }
double CRunSummary::ShareOfWorkStartsFrom5To11() const { return Share(m_workStartsFrom5To11, m_workers); }

std::string CRunSummary::MarkdownTable() const {
    std::string text = "| figure | value |\n|---|---|\n";
    text += "| persons | " + NumberText::Integer(m_persons) + " |\n";
    text += "| tours per person | " + NumberText::Fixed(ToursPerPerson(), 2) + " |\n";
    text += "| trips (stops) per person | " + NumberText::Fixed(TripsPerPerson(), 2) + " |\n";
    text += "| persons without a tour | " + Percent(ShareWithoutTour()) + " |\n";
    text += "| work starts from 5:00 to 11:00 | " + Percent(ShareOfWorkStartsFrom5To11()) + " |\n";
    text += "| escort stops (activities 10, 11) | " + NumberText::Integer(m_escortStops) + " |\n";
    text += "| joint tours | " + NumberText::Integer(m_jointTours) + " |\n";
    text += "\n| tour mode | share |\n|---|---|\n";
    for (const auto& [mode, share] : m_modeShares) text += "| " + NumberText::Integer(mode) + " | " + Percent(share) + " |\n";
    text += "\n| stop activity | share |\n|---|---|\n";
    for (const auto& [activity, share] : m_activityShares)
        text += "| " + NumberText::Integer(activity) + " | " + Percent(share) + " |\n";
    text += "\n| tours starting | share |\n|---|---|\n";
    for (int hour = 0; hour < 24; ++hour) {
        const long count = m_startsByClockHour[static_cast<size_t>(hour)];
        if (count == 0) continue;
        text += "| " + NumberText::Integer(hour) + ":00-" + NumberText::Integer(hour) + ":59 | " +
                Percent(Share(count, m_tours)) + " |\n";
    }
    return text;
}
