// Vehicle, joint-activity and escort-episode records.

#include "household/CEpisodeRecord.h"
#include "household/CJointActivityRecord.h"
#include "household/CVehicleRecord.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

CPersonObject* Member(int n) { return reinterpret_cast<CPersonObject*>(static_cast<std::uintptr_t>(0x100 * n)); }

TEST(VehicleRecord, MakeAndDriverAreUnsetUntilChosen) {
    CVehicleRecord vehicle(3, 4);
    EXPECT_EQ(vehicle.m_type, 3);
    EXPECT_EQ(vehicle.m_group, 4);
    EXPECT_EQ(vehicle.m_make, -1);
    EXPECT_EQ(vehicle.m_primaryDriver, -1);
    CVehicleRecord blank;
    EXPECT_EQ(blank.m_make, -1);
    EXPECT_EQ(blank.m_primaryDriver, -1);
}

TEST(JointActivityRecord, ANewRecordHasParticipantsOnlyAndNothingScheduled) {
    CJointActivityRecord record({true, false, true, false}, 7, 95.0);
    EXPECT_EQ(record.m_nId, 0);
    EXPECT_EQ(record.GetMemberCount(), 4);
    EXPECT_EQ(record.GetParticipantCount(), 2);
    EXPECT_EQ(record.m_travelApart, (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(record.m_personMarks, (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(record.m_nActivityType, 7);
    EXPECT_EQ(record.m_dDuration, 95.0);
    EXPECT_EQ(record.m_nZone, -1);
    EXPECT_EQ(record.m_dStartTime, -1.0);
    EXPECT_EQ(record.m_dEndTime, -1.0);
    EXPECT_EQ(record.m_nVehicle, -1);
}

TEST(JointActivityRecord, MembersAreAddressedByPersonNumber) {
    CJointActivityRecord record({false, true, true}, 0, 60.0);
    // Bit i stands for person number i + 1.
    EXPECT_FALSE(record.IsParticipant(1));
    EXPECT_TRUE(record.IsParticipant(2));
    EXPECT_TRUE(record.IsParticipant(3));

    record.SetTravelsApart(2, true);
    EXPECT_TRUE(record.TravelsApart(2));
    EXPECT_FALSE(record.TravelsApart(3));
    EXPECT_TRUE(record.m_travelApart[1]);

    record.SetPersonMark(3, 0);
    EXPECT_EQ(record.GetPersonMark(3), 0);
    EXPECT_EQ(record.m_personMarks[2], 0);

    record.SetParticipant(1, true);
    EXPECT_EQ(record.GetParticipantCount(), 3);
}

TEST(JointActivityRecord, PersonNumbersOutsideTheHouseholdAreNeverMembers) {
    CJointActivityRecord record({true, true}, 0, 60.0);
    for (int personNumber : {0, -1, 3, 64}) {
        EXPECT_FALSE(record.IsParticipant(personNumber)) << personNumber;
        EXPECT_FALSE(record.TravelsApart(personNumber)) << personNumber;
        EXPECT_THROW(record.SetParticipant(personNumber, true), std::out_of_range) << personNumber;
        EXPECT_THROW(record.SetTravelsApart(personNumber, true), std::out_of_range) << personNumber;
        EXPECT_THROW(record.GetPersonMark(personNumber), std::out_of_range) << personNumber;
        EXPECT_THROW(record.SetPersonMark(personNumber, 0), std::out_of_range) << personNumber;
    }
    EXPECT_EQ(record.GetMemberCount(), 2);

    CJointActivityRecord empty;
    EXPECT_EQ(empty.GetMemberCount(), 0);
    EXPECT_FALSE(empty.IsParticipant(1));
    EXPECT_FALSE(empty.TravelsApart(1));
}

TEST(EpisodeRecord, ANewEpisodeHasOneChildAndNoAdultOrTour) {
    CEpisodeRecord episode(Member(3), 470.0, 12);
    EXPECT_EQ(episode.m_pAdult, nullptr);
    EXPECT_EQ(episode.m_pTour, nullptr);
    EXPECT_EQ(episode.m_children, (std::vector<CPersonObject*>{Member(3)}));
    EXPECT_EQ(episode.m_childTours, (std::vector<CTour*>{nullptr}));
    EXPECT_EQ(episode.m_time, 470.0);
    EXPECT_EQ(episode.m_zone, 12);
}

TEST(EpisodeRecord, AJoiningChildKeepsTimeAndZone) {
    CEpisodeRecord episode(Member(3), 470.0, 12);
    episode.AddChild(Member(4));
    EXPECT_EQ(episode.m_children, (std::vector<CPersonObject*>{Member(3), Member(4)}));
    EXPECT_EQ(episode.m_childTours.size(), 2u);
    EXPECT_EQ(episode.m_childTours[1], nullptr);
    EXPECT_EQ(episode.m_time, 470.0);
    EXPECT_EQ(episode.m_zone, 12);
    EXPECT_TRUE(episode.HasChild(Member(4)));
    EXPECT_FALSE(episode.HasChild(Member(5)));
    EXPECT_FALSE(episode.HasChild(nullptr));
}

}  // namespace
