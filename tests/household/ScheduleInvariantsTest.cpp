// What every run's schedule files must hold, whatever the region: one loop
// with the sample model file over a generated region, on both databases,
// then the tour, stop, activity and pattern lines read back and checked
// against each other, and the tours of each joint activity against one
// another.

#include "LoopTestRegion.h"

#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using LoopFiles::Lines;

constexpr int kZones = 30;
constexpr int kHouseholds = 150;

std::vector<double> Fields(const std::string& line) {
    std::vector<double> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(std::strtod(field.c_str(), nullptr));
    return fields;
}

std::string Key(const std::vector<double>& f) {
    return NumberText::Integer(static_cast<long long>(f[0])) + "/" + NumberText::Integer(static_cast<long long>(f[1]));
}

// Person flag of each stop activity type 0 to 9, and its field in an adult's line.
constexpr int kFlagOfActivity[10] = {3, 4, 5, 6, 7, 9, 10, 8, 2, 11};
int AdultLineField(int flag) {
    static const std::map<int, int> field{{2, 3}, {3, 7}, {5, 8}, {4, 9}, {6, 10}, {7, 11},
                                          {8, 12}, {9, 13}, {10, 14}, {11, 15}};
    return field.at(flag);
}

class ScheduleInvariantsTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ScheduleInvariantsTest, TheScheduleFilesAgreeWithEachOther) {
    LoopTestRegion region(GetParam(), kZones, kHouseholds);
    const auto out = region.Folder() / "out";
    std::filesystem::create_directories(out);
    SingleLoop loop(region.Connect());
    const char* source = std::getenv("TOLVAR_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    ASSERT_TRUE(loop.models.LoadXml(std::string(source) + "/sample/tolvar-sample.tvm"));
    loop.SetShare(0, kHouseholds);
    loop.SetOutputFolder(out);
    loop.Run();
    auto file = [&](const std::string& name) { return Lines(out / (name + "1")); };

    std::map<std::string, std::vector<double>> adults;
    for (const auto& line : file("Adults.out")) adults[Key(Fields(line))] = Fields(line);
    std::set<std::string> childStudents;
    std::map<long long, std::vector<std::vector<double>>> schoolDays;  // by household
    for (const auto& line : file("ChildStudents.out")) {
        childStudents.insert(Key(Fields(line)));
        schoolDays[static_cast<long long>(Fields(line)[0])].push_back(Fields(line));
    }
    std::map<std::string, int> nonWorkerTours;
    for (const auto& line : file("nonworkers.out")) {
        const auto f = Fields(line);
        EXPECT_LE(f[2], 4) << line;
        nonWorkerTours[Key(f)] = static_cast<int>(f[2]);
    }
    for (const auto& line : file("workers.out")) {
        const auto f = Fields(line);
        EXPECT_LE(f[4], 2) << line;  // before-work tours
        EXPECT_LE(f[5], 2) << line;  // work-based tours
    }
    std::map<std::string, int> atHomeLines;
    for (const auto& line : file("activity.out")) {
        const auto f = Fields(line);
        if (f[2] == 18 && f[3] == 0 && f.size() == 6) ++atHomeLines[Key(f)];
    }
    EXPECT_EQ(atHomeLines.size(), adults.size() + file("Children.out").size());
    for (const auto& [key, count] : atHomeLines) EXPECT_EQ(count, 1) << key;

    // The stop lines follow their tour line, as many as its stop count.
    std::map<std::string, std::map<int, std::vector<double>>> childFirstStops;  // by tour 0 and 1
    std::map<std::string, std::vector<std::vector<double>>> escortStops;
    // The tours of each joint activity (joint-travel code 2), by household and
    // joint-record index: person number, tour line and stop lines.
    struct JointTour {
        double person;
        std::vector<double> tour;
        std::vector<std::vector<double>> stops;
    };
    std::map<std::pair<long long, int>, std::vector<JointTour>> jointGroups;
    const auto tours = file("tours.out");
    const auto stops = file("stops.out");
    ASSERT_FALSE(tours.empty());
    std::map<std::string, int> tourLines;
    std::map<std::string, double> lastFirstDeparture;
    size_t next = 0;
    for (const auto& tourLine : tours) {
        const auto tour = Fields(tourLine);
        const std::string person = Key(tour);
        ++tourLines[person];
        const int stopCount = static_cast<int>(tour[6]);
        const bool childCommute = childStudents.count(person) && tour[2] <= 1;
        EXPECT_GE(tour[3], 0) << "pre-tour time: " << tourLine;
        std::vector<double> previous;
        JointTour* joint = nullptr;
        if (tour[8] == 2)
            joint = &jointGroups[{static_cast<long long>(tour[0]), static_cast<int>(tour[7])}].emplace_back(
                JointTour{tour[1], tour, {}});
        int numberOffset = 0;
        for (int k = 1; k <= stopCount; ++k, ++next) {
            ASSERT_LT(next, stops.size()) << tourLine;
            const auto stop = Fields(stops[next]);
            ASSERT_EQ(Key(stop), person) << stops[next];
            ASSERT_EQ(stop[2], tour[2]) << stops[next];
            // A child's ride home on a pick-up keeps the numbers of the adult's
            // stops after the school: 2, 3, ...
            if (k == 1 && childCommute && tour[2] == 0 && stop[3] == 2) numberOffset = 1;
            ASSERT_EQ(stop[3], k + numberOffset) << stops[next];
            if (childCommute && k == 1) childFirstStops[person][static_cast<int>(tour[2])] = stop;
            if ((stop[4] == 10 || stop[4] == 11) && adults.count(person)) escortStops[person].push_back(stop);
            if (joint != nullptr) joint->stops.push_back(stop);
            if (childCommute) continue;
            EXPECT_GE(stop[5], 0) << "departure: " << stops[next];
            EXPECT_GE(stop[6], 0) << "travel time: " << stops[next];
            EXPECT_GE(stop[7], 0) << "duration: " << stops[next];
            if (k == 1) {
                EXPECT_TRUE(stop[11] == 18 || stop[11] == 17) << stops[next];
                if (nonWorkerTours.count(person)) {
                    EXPECT_GE(stop[5], lastFirstDeparture[person]) << "tours out of order: " << stops[next];
                    lastFirstDeparture[person] = stop[5];
                }
            } else {
                EXPECT_EQ(stop[9], previous[8]) << "origin zone: " << stops[next];
                EXPECT_EQ(stop[11], previous[4]) << "origin activity: " << stops[next];
            }
            // An adult's line shows flag 2 (work-related, activity 8) only
            // for the employed, so activity 8 cannot be checked from it. A
            // tour serving a joint activity (tour field 7) stops at the
            // household's activity, which sets no flag of the person.
            const int type = static_cast<int>(stop[4]);
            if (type >= 0 && type <= 9 && type != 8 && adults.count(person) && tour[7] == 0) {
                EXPECT_EQ(adults[person][static_cast<size_t>(AdultLineField(kFlagOfActivity[type]))], 1)
                    << "activity " << type << " without its flag: " << stops[next];
            }
            previous = stop;
        }
    }
    EXPECT_EQ(next, stops.size());

    // A schoolchild reaches school near its start and leaves near its end.
    for (const auto& [hid, days] : schoolDays) {
        for (const auto& day : days) {
            auto& first = childFirstStops[Key(day)];
            ASSERT_EQ(first.count(0) + first.count(1), 2u) << Key(day);
            EXPECT_LE(std::abs(first[1][5] + first[1][6] - day[2]), 10.0) << Key(day);
            EXPECT_LE(std::abs(first[0][5] - day[3]), 10.0) << Key(day);
        }
    }
    // The drop-off (pick-up) flag of an adult is exactly one 5-minute escort
    // stop reaching the school at the start (the end less 5 minutes) of a
    // child flagged for it.
    int escorts = 0;
    for (const auto& [person, line] : adults) {
        for (int activity : {10, 11}) {
            const bool flagged = line[activity == 10 ? 4 : 5] == 1;
            std::vector<std::vector<double>> found;
            for (const auto& stop : escortStops[person])
                if (stop[4] == activity) found.push_back(stop);
            bool matches = found.size() == 1 && found[0][7] == 5;
            bool childFlagged = false;
            for (const auto& day : schoolDays[static_cast<long long>(line[0])]) {
                const double time = activity == 10 ? day[2] : day[3] - 5;
                childFlagged = childFlagged || (matches && day[activity == 10 ? 4 : 5] == 1 &&
                                                found[0][5] + found[0][6] == time);
            }
            EXPECT_EQ(flagged, childFlagged) << person << " escort activity " << activity;
            escorts += flagged ? 1 : 0;
        }
    }
    EXPECT_GT(escorts, 0);

    // The participants of a joint activity leave home for the same stop,
    // arrive within the day's joint-activity hours, come back home at its end
    // and use one vehicle: none, or one whose primary driver takes part.
    std::set<std::string> children;
    for (const auto& line : file("Children.out")) children.insert(Key(Fields(line)));
    std::map<std::pair<long long, int>, double> drivers;  // by household and vehicle index
    for (const auto& line : file("Vehicles.out")) {
        const auto f = Fields(line);
        drivers[{static_cast<long long>(f[0]), static_cast<int>(f[1])}] = f[5];
    }
    std::map<std::string, int> jointToursOf;
    for (const auto& [group, members] : jointGroups) {
        const JointTour& first = members.front();
        ASSERT_EQ(first.stops.size(), 2u) << Key(first.tour);
        bool driverTakesPart = first.tour[9] == -1;
        for (const JointTour& member : members) {
            const std::string person = Key(member.tour);
            ++jointToursOf[person];
            ASSERT_EQ(member.stops.size(), 2u) << person;
            const auto& stop = member.stops[0];
            const auto& home = member.stops[1];
            EXPECT_EQ(stop[11], 18) << person;
            EXPECT_EQ(stop[9], home[8]) << person;
            EXPECT_EQ(home[4], children.count(person) ? 14 : 12) << person;
            EXPECT_TRUE(stop[5] + stop[6] >= 15 && stop[5] + stop[6] <= 1055) << person;
            for (int field : {4, 7, 8}) EXPECT_EQ(stop[field], first.stops[0][field]) << person << " field " << field;
            EXPECT_EQ(home[5], first.stops[1][5]) << person;
            EXPECT_EQ(member.tour[9], first.tour[9]) << person;
            auto driver = drivers.find({group.first, static_cast<int>(first.tour[9])});
            driverTakesPart = driverTakesPart || (driver != drivers.end() && driver->second == member.person);
        }
        EXPECT_TRUE(driverTakesPart) << "household " << group.first << ", joint activity " << group.second;
    }
    EXPECT_FALSE(jointGroups.empty());
    for (const auto& [person, count] : jointToursOf) EXPECT_LE(count, 2) << person;
    for (const auto& [person, count] : nonWorkerTours) EXPECT_EQ(tourLines[person], count) << person;
}

INSTANTIATE_TEST_SUITE_P(Db, ScheduleInvariantsTest, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

}  // namespace
