#include "tools/COutputChecker.h"

#include "household/CHouseholdLoop.h"
#include "household/CThreadSets.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"
#include "platform/CRecordset.h"
#include "platform/DbError.h"
#include "platform/NumberText.h"
#include "tools/OutputCheckRules.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

namespace {

constexpr size_t kExamples = 3;
constexpr double kDayEnd = 1440.0;
constexpr int kAtHomeActivity = 18;
constexpr int kWorkActivity = 17;
constexpr int kSchoolActivity = 19;
constexpr int kDropOffActivity = 10;
constexpr int kPickUpActivity = 11;
constexpr double kEscortStopDuration = 5.0;
constexpr int kBackHomeActivity = 12;
constexpr int kChildBackHomeActivity = 14;
// A joint tour (joint-travel code 2) arrives at its activity within these
// minutes, and a person takes part in at most two of them.
constexpr double kJointTravelCode = 2.0;
constexpr double kEarliestJointArrival = 15.0;
constexpr double kLatestJointArrival = 1055.0;
constexpr int kMaxJointToursPerPerson = 2;
// Each stop field is floored on its own, so the floored departure of a stop
// exceeds the sum of the previous stop's three floored fields by 0, 1 or 2.
constexpr double kFlooringSlack = 2.0;
// The school commutes are timed to the school start and end within this.
constexpr double kSchoolSlack = 10.0;
// Tour counts that a pattern line may name: the non-worker's, and the
// before-work and work-based periods of a worker.
constexpr double kMaxNonWorkerTours = 4.0;
constexpr double kMaxBeforeWorkTours = 2.0;
constexpr double kMaxWorkBasedTours = 2.0;
// A worker writes at most three tours of a period, and both commutes.
constexpr double kSlotsPerPeriod = 3.0;
constexpr int kCommuteTours = 2;

// Field positions (0-based) of the lines read back.
namespace tour_field {
constexpr size_t kPosition = 2, kPreTour = 3, kMode = 4, kDuration = 5, kStopCount = 6, kJointIndex = 7,
                 kJointCode = 8, kVehicleId = 9;
}
namespace stop_field {
constexpr size_t kPosition = 2, kNumber = 3, kActivity = 4, kDeparture = 5, kTravel = 6, kDuration = 7, kZone = 8,
                 kOrigin = 9, kOriginActivity = 11;
}
namespace vehicle_field {
constexpr size_t kIndex = 1, kType = 2, kGroup = 3, kDriver = 5;
}

bool FieldHasFormat(std::string_view text, char kind, double& value) {
    if (!NumberText::Parse(text, value)) return false;
    switch (kind) {
        case 'U':
            return value >= 0.0 && NumberText::Integer(static_cast<long long>(value)) == text;
        case 'I':
            return NumberText::Integer(static_cast<long long>(value)) == text;
        case 'B':
            return text == "0" || text == "1";
        case 'F':
            return value == std::floor(value) && NumberText::General(value, 6) == text;
        default:
            return NumberText::General(value, 6) == text;
    }
}

bool SameKey(const std::vector<double>& a, const std::vector<double>& b) { return a[0] == b[0] && a[1] == b[1]; }

double Arrival(const std::vector<double>& stop) { return stop[stop_field::kDeparture] + stop[stop_field::kTravel]; }

}  // namespace

const char* COutputChecker::RuleName(Rule rule) { return output_check::RuleText(rule); }

void COutputChecker::Violate(Rule rule, const std::string& example) {
    Violation& violation = m_violations[rule];
    ++violation.count;
    if (violation.examples.size() < kExamples) violation.examples.push_back(example);
}

bool COutputChecker::ReadInput(CDatabase& database, std::string& error) {
    try {
        CRecordset households(&database);
        households.Open("SELECT * FROM households");
        for (; !households.IsEOF(); households.MoveNext())
            AddHousehold({static_cast<long long>(households.GetDouble(0)), static_cast<int>(households.GetDouble(3)),
                          static_cast<int>(households.GetDouble(2))});
        CRecordset persons(&database);
        persons.Open("SELECT * FROM persons");
        for (; !persons.IsEOF(); persons.MoveNext())
            AddPerson({static_cast<long long>(persons.GetDouble(0)), static_cast<int>(persons.GetDouble(1)),
                       persons.GetDouble(8), persons.GetDouble(2) != 0.0});
        // The order of the household loops' pages.
        CRecordset page(&database);
        page.Open("SELECT hid FROM households ORDER BY zone_id, hid");
        m_pageOrder.clear();
        for (; !page.IsEOF(); page.MoveNext()) m_pageOrder.push_back(static_cast<long long>(page.GetDouble(0)));
    } catch (const DbError& failure) {
        error = failure.Report();
        return false;
    }
    return true;
}

void COutputChecker::AddHousehold(const InputHousehold& household) { m_households[household.id] = household; }

void COutputChecker::AddPerson(const InputPerson& person) { m_persons[{person.household, person.number}] = person; }

void COutputChecker::ReplaySample(double rate, bool singleLoop) {
    m_skipped.clear();
    m_sampleReplayed = true;
    // The loop draws from its own generator; one model system serves every
    // replayed loop, which only keeps a reference to it.
    CModelSystem models;
    const long count = static_cast<long>(m_pageOrder.size());
    const int loops = singleLoop ? 1 : CThreadSets::kThreadCount;
    const long share = count / loops;
    for (int loop = 0; loop < loops; ++loop) {
        const long first = loop * share;
        const long end = loop + 1 < loops ? first + share : count;
        CHouseholdLoop replay(models);
        for (long k = first; k < end; ++k)
            if (!replay.SampleHousehold(rate)) m_skipped.insert(m_pageOrder[static_cast<size_t>(k)]);
    }
}

int COutputChecker::ReadRunFolder(const std::filesystem::path& folder) {
    const auto& names = COutputFileSet::DefaultOutputNames();
    int threads = 0;
    for (int thread = 1; thread <= 10; ++thread) {
        const std::string suffix = NumberText::Integer(thread);
        std::error_code unreadable;
        if (!std::filesystem::exists(folder / (std::string(names[0]) + suffix), unreadable)) continue;
        ThreadTexts texts;
        for (int stream = 0; stream < COutputFileSet::kStreamCount; ++stream) {
            const auto name = std::string(names[static_cast<size_t>(COutputFileSet::NameIndexOfStream(stream))]);
            std::ifstream in(folder / (name + suffix), std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            texts[static_cast<size_t>(stream)] = text.str();
        }
        AddThread(texts);
        ++threads;
    }
    return threads;
}

std::vector<std::pair<COutputChecker::Fields, std::string>> COutputChecker::ParseStream(const std::string& text,
                                                                                        int stream) {
    std::vector<std::pair<Fields, std::string>> lines;
    const std::string_view kinds = output_check::FieldKinds(stream);
    if (kinds.empty()) return lines;
    if (!text.empty() && text.back() != '\n') Violate(kLineEnd, "last line without a line end");
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(begin, end - begin);
        begin = end + 1;
        std::vector<std::string_view> parts;
        for (size_t start = 0;;) {
            const size_t tab = line.find('\t', start);
            parts.emplace_back(std::string_view(line).substr(start, tab == std::string::npos ? tab : tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        if (parts.size() != kinds.size()) {
            Violate(kFieldCount, line);
            continue;
        }
        Fields fields(parts.size());
        bool formatted = true;
        for (size_t k = 0; k < parts.size(); ++k) formatted = FieldHasFormat(parts[k], kinds[k], fields[k]) && formatted;
        if (!formatted) {
            Violate(kNumberFormat, line);
            continue;
        }
        lines.emplace_back(std::move(fields), line);
    }
    return lines;
}

void COutputChecker::AddThread(const ThreadTexts& texts) {
    std::array<std::vector<std::pair<Fields, std::string>>, COutputFileSet::kStreamCount> lines;
    for (int stream = 0; stream < COutputFileSet::kStreamCount; ++stream)
        lines[static_cast<size_t>(stream)] = ParseStream(texts[static_cast<size_t>(stream)], stream);

    for (const int stream : {COutputFileSet::kAdults, COutputFileSet::kChildren}) {
        for (const auto& [f, text] : lines[static_cast<size_t>(stream)]) {
            PersonOutput& output = Output(f);
            ++output.personLines;
            output.adultFile = stream == COutputFileSet::kAdults;
            output.person = f;
            output.personText = text;
        }
    }
    for (const int stream : {COutputFileSet::kWorkers, COutputFileSet::kChildStudents, COutputFileSet::kNonWorkers}) {
        for (const auto& [f, text] : lines[static_cast<size_t>(stream)]) {
            PersonOutput& output = Output(f);
            ++output.patternLines;
            output.patternStream = stream;
            output.pattern = f;
            output.patternText = text;
        }
    }
    for (const auto& [f, text] : lines[COutputFileSet::kVehicles])
        m_vehicleLines[static_cast<long long>(f[0])].push_back({f, text});
    ReadThreadSchedules(lines[COutputFileSet::kTours], lines[COutputFileSet::kStops], lines[COutputFileSet::kActivity]);
}

// Tours take the stop lines that follow in the stop file, as many as their
// stop count; the activity file holds, per person, the at-home line and then
// one line per stop in the order of the stop file.
void COutputChecker::ReadThreadSchedules(const std::vector<std::pair<Fields, std::string>>& tours,
                                         const std::vector<std::pair<Fields, std::string>>& stops,
                                         const std::vector<std::pair<Fields, std::string>>& activities) {
    size_t next = 0;
    for (const auto& [f, text] : tours) {
        Tour tour{f, text, {}};
        const double count = f[tour_field::kStopCount];
        for (int k = 0; k < count; ++k) {
            if (next >= stops.size() || !SameKey(stops[next].first, f) ||
                stops[next].first[stop_field::kPosition] != f[tour_field::kPosition]) {
                Violate(kStopLines, "stop line missing for: " + text);
                break;
            }
            tour.stops.push_back({stops[next].first, stops[next].second});
            ++next;
        }
        Output(f).tours.push_back(std::move(tour));
    }
    for (; next < stops.size(); ++next) Violate(kStopLines, "stop line of no tour: " + stops[next].second);

    size_t stop = 0;
    const Fields* previous = nullptr;
    for (const auto& [f, text] : activities) {
        if (previous == nullptr || !SameKey(*previous, f)) {
            PersonOutput& output = Output(f);
            ++output.atHomeLines;
            output.atHome = f;
            output.atHomeText = text;
        } else if (stop >= stops.size()) {
            Violate(kActivityLines, "activity line of no stop: " + text);
        } else {
            const Fields& s = stops[stop++].first;
            if (!SameKey(s, f) || f[2] != s[stop_field::kActivity] || f[3] != Arrival(s) ||
                f[4] != s[stop_field::kDuration] || f[5] != s[stop_field::kZone])
                Violate(kActivityLines, text + " for stop " + stops[stop - 1].second);
        }
        previous = &f;
    }
    // Stops of persons whose activity lines are missing.
    for (; stop < stops.size(); ++stop) {
        if (std::none_of(activities.begin(), activities.end(),
                         [&](const auto& a) { return SameKey(a.first, stops[stop].first); })) {
            Violate(kActivityLines, "no activity line for: " + stops[stop].second);
        }
    }
}

void COutputChecker::CheckTour(const InputPerson& input, const PersonOutput& output, const Tour& tour,
                               bool childCommute) {
    const Fields& t = tour.f;
    if (t[tour_field::kPreTour] < 0.0 || (t[tour_field::kDuration] < 0.0 && t[tour_field::kDuration] != -1.0)) Violate(kTimeBounds, tour.text);

    // A child's ride home on a pick-up keeps the numbers of the adult's stops
    // after the school: 2, 3, ...
    const double firstNumber = tour.stops.empty() ? 1.0 : tour.stops.front().f[stop_field::kNumber];
    const bool rideHome = childCommute && t[tour_field::kPosition] == 0.0;
    if (firstNumber != 1.0 && !(rideHome && firstNumber == 2.0)) Violate(kStopLines, tour.stops.front().text);

    const bool adult = input.age >= 16.0 && output.adultFile;
    const bool jointTour = t[tour_field::kJointIndex] > 0.0 || t[tour_field::kJointCode] == 2.0;
    for (size_t k = 0; k < tour.stops.size(); ++k) {
        using namespace stop_field;
        const Fields& s = tour.stops[k].f;
        const std::string& text = tour.stops[k].text;
        if (s[kNumber] != firstNumber + static_cast<double>(k)) Violate(kStopLines, text);
        // A tour leaves within the day; its later stops may run past the end
        // by their travel times (a walk takes at least two minutes).
        if (s[kDeparture] < 0.0 || (k == 0 && s[kDeparture] > kDayEnd) || s[kTravel] < 0.0 || s[kDuration] < 0.0)
            Violate(kTimeBounds, text);
        if (k == 0) {
            const int origin = static_cast<int>(s[kOriginActivity]);
            if (origin != kAtHomeActivity && origin != kWorkActivity && !(rideHome && origin == kSchoolActivity))
                Violate(kFirstStopOrigin, text);
        } else {
            const Fields& p = tour.stops[k - 1].f;
            if (s[kOrigin] != p[kZone]) Violate(kZoneChaining, text);
            if (s[kOriginActivity] != p[kActivity]) Violate(kActivityChaining, text);
            const double gap = s[kDeparture] - (p[kDeparture] + p[kTravel] + p[kDuration]);
            if (gap < 0.0 || gap > kFlooringSlack) Violate(kTimeChaining, text);
        }
        // Joint-activity stops take the joint record's activity, not the
        // person's own flags; the adult line shows the work-related flag only
        // for the employed.
        const int type = static_cast<int>(s[kActivity]);
        const int flagField = output_check::AdultFlagFieldOfActivity(type);
        if (adult && !jointTour && flagField >= 0 && !(type == 8 && !input.employed) &&
            output.person[static_cast<size_t>(flagField)] != 1.0)
            Violate(kActivityFlag, text);
    }
}

// Taken in the order they leave, each tour of the person arrives at its last
// stop (home, or work for a commute and a tour from work) no later than the
// next tour leaves. The day's end is no tour: the last one may end past it.
void COutputChecker::CheckTourOverlap(const PersonOutput& output) {
    std::vector<const Tour*> leaving;
    for (const Tour& tour : output.tours)
        if (!tour.stops.empty()) leaving.push_back(&tour);
    std::stable_sort(leaving.begin(), leaving.end(), [](const Tour* a, const Tour* b) {
        return a->stops.front().f[stop_field::kDeparture] < b->stops.front().f[stop_field::kDeparture];
    });
    for (size_t k = 1; k < leaving.size(); ++k) {
        const Stop& end = leaving[k - 1]->stops.back();
        const Stop& next = leaving[k]->stops.front();
        if (Arrival(end.f) > next.f[stop_field::kDeparture])
            Violate(kTourOverlap, end.text + " arrives after " + next.text + " leaves");
    }
}

void COutputChecker::CheckPerson(const InputPerson& input, const InputHousehold* household, PersonOutput& output) {
    const std::string who =
        NumberText::Integer(input.household) + "\t" + NumberText::Integer(input.number) + ": ";
    const bool adult = input.age >= 16.0;
    if (output.personLines == 0) {
        Violate(kPersonLines, who + "no person line (" + (adult ? "adult" : "child") + ")");
        return;
    }
    if (output.personLines != 1 || output.adultFile != adult) {
        Violate(kPersonLines, who + NumberText::Integer(output.personLines) + " person lines, " +
                                  (output.adultFile ? "adult" : "child") + " file");
        return;
    }
    if (output.atHomeLines != 1) {
        Violate(kAtHomeLines, who + NumberText::Integer(output.atHomeLines) + " at-home lines");
    } else {
        const Fields& a = output.atHome;
        if (a[2] != kAtHomeActivity || a[3] != 0.0 || a[4] < 0.0 || a[4] > kDayEnd ||
            (household != nullptr && a[5] != household->homeZone))
            Violate(kAtHomeFields, output.atHomeText);
    }

    // Flag 0 (work or school in the day) gives a worker pattern: the workers
    // line of an adult, the child-student line of a child. A pattern line of
    // the other kinds is for the age only.
    const bool workDay = output.person[2] == 1.0;
    const int stream = output.patternStream;
    bool patternRight = output.patternLines <= 1;
    if (adult)
        patternRight = patternRight && output.patternLines == 1 && stream != COutputFileSet::kChildStudents &&
                       (!workDay || stream == COutputFileSet::kWorkers);
    else
        patternRight = patternRight && (output.patternLines == 0 || stream == COutputFileSet::kChildStudents) &&
                       (!workDay || output.patternLines == 1);
    if (!patternRight) {
        Violate(kPatternLines, who + NumberText::Integer(output.patternLines) + " pattern lines " +
                                   output.patternText);
        return;
    }

    const Fields& p = output.pattern;
    const double tours = static_cast<double>(output.tours.size());
    if (stream == COutputFileSet::kWorkers) {
        const double expected = std::min(p[4], kSlotsPerPeriod) + std::min(p[5], kSlotsPerPeriod) +
                                std::min(p[6], kSlotsPerPeriod) + kCommuteTours;
        if (tours != expected) Violate(kTourLines, output.patternText);
        if (p[4] > kMaxBeforeWorkTours || p[5] > kMaxWorkBasedTours || p[4] < 0 || p[5] < 0 || p[6] < 0)
            Violate(kTourCountBounds, output.patternText);
        if (p[2] < 0.0 || p[2] > kDayEnd || p[3] < p[2]) Violate(kTimeBounds, output.patternText);
    } else if (stream == COutputFileSet::kNonWorkers) {
        if (tours != p[2]) Violate(kTourLines, output.patternText);
        if (p[2] > kMaxNonWorkerTours || p[2] < 0) Violate(kTourCountBounds, output.patternText);
    } else if (stream == COutputFileSet::kChildStudents && tours < kCommuteTours) {
        Violate(kTourLines, output.patternText);
    }

    // A non-worker's tours leave in the order of the day.
    if (stream != COutputFileSet::kWorkers && stream != COutputFileSet::kChildStudents) {
        double last = -1.0;
        for (const Tour& tour : output.tours) {
            if (tour.stops.empty()) continue;
            const double departure = tour.stops.front().f[stop_field::kDeparture];
            if (departure < last) Violate(kNonWorkerTourOrder, tour.stops.front().text);
            last = departure;
        }
    }

    CheckTourOverlap(output);
    for (const Tour& tour : output.tours)
        CheckTour(input, output, tour,
                  stream == COutputFileSet::kChildStudents && tour.f[tour_field::kPosition] <= 1.0);

    // A driven tour names the vehicle the person drives (0 when none), an
    // escort tour its escort's id, any other mode -1; joint tours name the
    // joint activity's vehicle.
    const auto vehicles = m_vehicleLines.find(input.household);
    const int position = m_positions[{input.household, input.number}];
    int ownVehicle = 0;
    if (vehicles != m_vehicleLines.end())
        for (size_t k = 0; k < vehicles->second.size(); ++k)
            if (vehicles->second[k].f[vehicle_field::kDriver] == position) ownVehicle = static_cast<int>(k);
    for (const Tour& tour : output.tours) {
        using namespace tour_field;
        const Fields& t = tour.f;
        if (t[kJointIndex] > 0.0 || t[kMode] == 4.0) continue;
        const bool driven = t[kMode] == 0.0 || t[kMode] == 7.0;
        if (t[kVehicleId] != (driven ? ownVehicle : -1)) Violate(kTourVehicleId, tour.text);
    }
}

// An adult's drop-off (pick-up) field is 1 exactly when the adult has one
// escort stop of five minutes arriving at the school start (five minutes
// before the school end) of a child of the episode.
void COutputChecker::CheckEscorts(const InputHousehold& household, const std::vector<const InputPerson*>& members) {
    struct School {
        double start, end;
        bool dropOff, pickUp;
    };
    std::vector<School> schools;
    for (const InputPerson* member : members) {
        const PersonOutput& output = m_outputs[{member->household, member->number}];
        if (output.patternStream != COutputFileSet::kChildStudents) continue;
        const Fields& p = output.pattern;
        schools.push_back({p[2], p[3], p[4] == 1.0, p[5] == 1.0});

        // The commute to school (position 1) arrives at its start; the ride
        // home (position 0) leaves at its end.
        for (const Tour& tour : output.tours) {
            if (tour.stops.empty()) continue;
            const double position = tour.f[tour_field::kPosition];
            if (position == 1.0 && std::abs(Arrival(tour.stops.back().f) - p[2]) > kSchoolSlack)
                Violate(kSchoolTimes, tour.stops.back().text + " for " + output.patternText);
            if (position == 0.0 &&
                std::abs(tour.stops.front().f[stop_field::kDeparture] - p[3]) > kSchoolSlack)
                Violate(kSchoolTimes, tour.stops.front().text + " for " + output.patternText);
        }
    }
    for (const InputPerson* member : members) {
        const PersonOutput& output = m_outputs[{member->household, member->number}];
        if (!output.adultFile || output.person.empty()) continue;
        for (const bool dropOff : {true, false}) {
            const int activity = dropOff ? kDropOffActivity : kPickUpActivity;
            int escortStops = 0;
            bool atSchoolTime = false;
            for (const Tour& tour : output.tours) {
                for (const Stop& stop : tour.stops) {
                    if (stop.f[stop_field::kActivity] != activity || stop.f[stop_field::kDuration] != kEscortStopDuration)
                        continue;
                    ++escortStops;
                    // Floored departure and travel: the arrival is within a
                    // minute below the school time.
                    for (const School& school : schools) {
                        const double time = dropOff ? school.start : school.end - kEscortStopDuration;
                        const double gap = std::floor(time) - Arrival(stop.f);
                        if ((dropOff ? school.dropOff : school.pickUp) && gap >= 0.0 && gap <= 1.0) atSchoolTime = true;
                    }
                }
            }
            const bool flagged = output.person[dropOff ? 4 : 5] == 1.0;
            if (flagged != (escortStops == 1 && atSchoolTime))
                Violate(dropOff ? kDropOffAdult : kPickUpAdult,
                        output.personText + " with " + NumberText::Integer(escortStops) + " escort stops");
        }
    }
    (void)household;
}

// The tours of one joint activity (household and joint index, travel code 2)
// leave home for the same zone and activity, stay as long and leave it at the
// same time, in the same vehicle: none (-1), or one whose primary driver takes
// part.
void COutputChecker::CheckJointTours(const InputHousehold& household, const std::vector<const InputPerson*>& members) {
    struct Member {
        const Tour* tour;
        int position;
    };
    std::map<double, std::vector<Member>> groups;
    for (size_t m = 0; m < members.size(); ++m) {
        const InputPerson& person = *members[m];
        const PersonOutput& output = m_outputs[{person.household, person.number}];
        int jointTours = 0;
        for (const Tour& tour : output.tours) {
            if (tour.f[tour_field::kJointCode] != kJointTravelCode) continue;
            ++jointTours;
            const double closing = person.age < 16.0 ? kChildBackHomeActivity : kBackHomeActivity;
            const bool shaped = tour.stops.size() == 2 &&
                                tour.stops[0].f[stop_field::kOriginActivity] == kAtHomeActivity &&
                                tour.stops[1].f[stop_field::kActivity] == closing &&
                                tour.stops[1].f[stop_field::kZone] == household.homeZone &&
                                Arrival(tour.stops[0].f) >= kEarliestJointArrival &&
                                Arrival(tour.stops[0].f) <= kLatestJointArrival;
            if (!shaped) {
                Violate(kJointTourShape, tour.text);
                continue;
            }
            groups[tour.f[tour_field::kJointIndex]].push_back({&tour, static_cast<int>(m) + 1});
        }
        if (jointTours > kMaxJointToursPerPerson) Violate(kJointTourShape, output.patternText + " joint tours: " +
                                                                               NumberText::Integer(jointTours));
    }
    const auto vehicles = m_vehicleLines.find(household.id);
    for (const auto& [index, group] : groups) {
        const Fields& first = group.front().tour->stops[0].f;
        const Fields& firstClosing = group.front().tour->stops[1].f;
        const double vehicle = group.front().tour->f[tour_field::kVehicleId];
        bool driverTakesPart = vehicle == -1.0;
        for (const Member& member : group) {
            const Fields& stop = member.tour->stops[0].f;
            const Fields& closing = member.tour->stops[1].f;
            if (stop[stop_field::kZone] != first[stop_field::kZone] ||
                stop[stop_field::kActivity] != first[stop_field::kActivity] ||
                stop[stop_field::kDuration] != first[stop_field::kDuration] ||
                closing[stop_field::kDeparture] != firstClosing[stop_field::kDeparture] ||
                member.tour->f[tour_field::kVehicleId] != vehicle)
                Violate(kJointTourGroup, member.tour->text);
            if (vehicles != m_vehicleLines.end() && vehicle >= 0.0 &&
                vehicle < static_cast<double>(vehicles->second.size()) &&
                vehicles->second[static_cast<size_t>(vehicle)].f[vehicle_field::kDriver] == member.position)
                driverTakesPart = true;
        }
        if (!driverTakesPart) Violate(kJointTourGroup, "vehicle of no participant: " + group.front().tour->text);
    }
}

void COutputChecker::CheckVehicles(const InputHousehold& household, const std::vector<VehicleLine>& lines) {
    if (static_cast<int>(lines.size()) != household.vehicles) ++m_figures.fleetSizeDiffers;
    std::set<std::pair<double, double>> pairs;
    std::set<double> drivers;
    bool withoutDriver = false;
    for (size_t k = 0; k < lines.size(); ++k) {
        using namespace vehicle_field;
        const Fields& v = lines[k].f;
        if (v[kIndex] != static_cast<double>(k)) Violate(kVehicleIndices, lines[k].text);
        const double driver = v[kDriver];
        const bool fields = v[kType] >= 1 && v[kType] <= 9 && v[kGroup] >= 1 && v[kGroup] <= 6 &&
                            pairs.insert({v[kType], v[kGroup]}).second &&
                            (driver == -1.0 || (!withoutDriver && driver >= 1 && drivers.insert(driver).second));
        if (!fields) Violate(kVehicleFields, lines[k].text);
        withoutDriver = withoutDriver || driver == -1.0;
    }
}

bool COutputChecker::HasLines(long long household, const std::vector<const InputPerson*>& members) {
    if (m_vehicleLines.count(household) > 0) return true;
    return std::any_of(members.begin(), members.end(), [&](const InputPerson* person) {
        const PersonOutput& output = m_outputs[{person->household, person->number}];
        return output.personLines > 0 || output.patternLines > 0 || output.atHomeLines > 0 || !output.tours.empty();
    });
}

bool COutputChecker::Check() {
    m_figures = {};
    m_positions.clear();
    std::map<long long, std::vector<const InputPerson*>> members;
    for (const auto& [key, person] : m_persons) {
        members[key.first].push_back(&person);
        m_positions[key] = static_cast<int>(members[key.first].size());
    }
    for (const auto& [key, output] : m_outputs) {
        if (m_persons.count(key) == 0)
            Violate(kPersonLines, "lines of a person not in the input: " + output.personText + output.patternText);
    }
    for (const auto& [id, lines] : m_vehicleLines) {
        if (m_households.count(id) == 0) Violate(kVehicleFields, "vehicle of no household: " + lines.front().text);
    }
    // With a replayed sample, a household is checked only when the sample
    // keeps it: the others must have no lines, and a kept one must have some.
    std::set<long long> unchecked;
    if (m_sampleReplayed) {
        for (const auto& [id, household] : m_households) {
            const bool skipped = m_skipped.count(id) > 0;
            const bool hasLines = HasLines(id, members[id]);
            if (skipped == hasLines)
                Violate(kSampledHouseholds,
                        NumberText::Integer(id) + (skipped ? ": skipped by the sample, but has lines"
                                                           : ": kept by the sample, but has no lines"));
            if (skipped || !hasLines) unchecked.insert(id);
        }
    }
    for (const auto& [id, household] : m_households) {
        if (unchecked.count(id) > 0) continue;
        ++m_figures.households;
        static const std::vector<VehicleLine> kNoVehicles;
        const auto vehicles = m_vehicleLines.find(id);
        const auto& lines = vehicles == m_vehicleLines.end() ? kNoVehicles : vehicles->second;
        m_figures.vehicles += static_cast<long>(lines.size());
        CheckVehicles(household, lines);
    }
    for (const auto& [key, person] : m_persons) {
        if (unchecked.count(key.first) > 0) continue;
        ++m_figures.persons;
        const auto household = m_households.find(key.first);
        PersonOutput& output = m_outputs[key];
        m_figures.tours += static_cast<long>(output.tours.size());
        for (const Tour& tour : output.tours) m_figures.stops += static_cast<long>(tour.stops.size());
        CheckPerson(person, household == m_households.end() ? nullptr : &household->second, output);
    }
    for (const auto& [id, list] : members) {
        const auto household = m_households.find(id);
        if (household == m_households.end() || unchecked.count(id) > 0) continue;
        CheckEscorts(household->second, list);
        CheckJointTours(household->second, list);
    }
    return std::all_of(m_violations.begin(), m_violations.end(), [](const Violation& v) { return v.count == 0; });
}

std::string COutputChecker::Report() const {
    std::string report;
    for (int rule = 0; rule < kRuleCount; ++rule) {
        const Violation& violation = m_violations[static_cast<size_t>(rule)];
        if (violation.count == 0) continue;
        report += "VIOLATED: " + std::string(RuleName(static_cast<Rule>(rule))) + ": " +
                  NumberText::Integer(violation.count) + "\n";
        for (const auto& example : violation.examples) report += "    " + example + "\n";
    }
    report += "Households: " + NumberText::Integer(m_figures.households) +
              "\nPersons: " + NumberText::Integer(m_figures.persons) +
              "\nTours: " + NumberText::Integer(m_figures.tours) +
              "\nStops: " + NumberText::Integer(m_figures.stops) +
              "\nVehicles: " + NumberText::Integer(m_figures.vehicles) +
              "\nHouseholds whose fleet differs from their vehicle count: " +
              NumberText::Integer(m_figures.fleetSizeDiffers) + "\n";
    const bool holds =
        std::all_of(m_violations.begin(), m_violations.end(), [](const Violation& v) { return v.count == 0; });
    if (holds) report += "Every rule holds.\n";
    return report;
}
