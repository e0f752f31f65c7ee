// A generated region whose person numbers are not 1 to n (1, 12, 3, 14, ...:
// gaps, and an order other than the rows'), simulated household by household:
// every joint activity reaches its participants and its vehicle is one of
// theirs, and no tour of a non-worker's day overlaps another.

#include "LoopTestRegion.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CJointActivityRecord.h"
#include "schedules/CPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

class PersonNumbers : public ::testing::TestWithParam<std::string> {};

bool HasTourFor(const CPersonObject& person, const CJointActivityRecord& record) {
    const auto& tours = person.GetPattern()->GetTours();
    return std::any_of(tours.begin(), tours.end(),
                       [&](const auto& t) { return t && t->GetJointRecordIndex() == record.m_nId; });
}

// Each tour's first departure and its arrival at the last stop it writes, in order of departure.
std::vector<std::pair<double, double>> TourSpans(const CPattern& pattern) {
    std::vector<std::pair<double, double>> spans;
    for (const auto& t : pattern.GetTours()) {
        const CStop* end = t ? t->GetStopByNumber(std::min<int>(t->GetStopCount(), t->GetStops().size())) : nullptr;
        if (end != nullptr)
            spans.emplace_back(t->GetStopByNumber(1)->GetDepartureTime(), end->GetDepartureTime() + end->GetTravelTime());
    }
    std::sort(spans.begin(), spans.end());
    return spans;
}

TEST_P(PersonNumbers, JointActivitiesReachEveryParticipantAndNonWorkerToursNeverOverlap) {
    LoopTestRegion region(GetParam(), 25, 200);
    region.Database().Execute("UPDATE persons SET pnum = pnum + 10 WHERE pnum IN (2, 4, 6, 8)");
    SingleLoop loop(region.Connect());
    ASSERT_TRUE(loop.models.LoadXml(LoopFiles::SampleModelFile()));
    int records = 0;
    loop.SimulateEach(200, true, [&](CHouseholdObject& household) {
        for (const CJointActivityRecord& record : household.m_jointActivities) {
            ++records;
            // A joint tour from home or the commute from work; a child on a
            // school day makes no joint tour.
            for (int k = 1; k <= household.GetPersonCount(); ++k) {
                const CPersonObject& person = *household.GetPerson(k);
                if (record.IsParticipant(k) && !(person.IsChild() && person.GetFlag(0)))
                    EXPECT_TRUE(HasTourFor(person, record)) << household.GetId() << " " << k;
            }
            if (record.m_nVehicle != -1)
                EXPECT_TRUE(record.IsParticipant(household.m_vehicles.at(record.m_nVehicle).m_primaryDriver));
        }
        for (const auto& person : household.GetPersons()) {
            const auto spans = TourSpans(*person->GetPattern());
            for (std::size_t k = 1; k < spans.size() && !person->GetFlag(0); ++k)
                EXPECT_GE(spans[k].first, spans[k - 1].second) << household.GetId() << " " << person->GetPosition();
        }
    });
    EXPECT_GT(records, 50);
}

INSTANTIATE_TEST_SUITE_P(Db, PersonNumbers, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
