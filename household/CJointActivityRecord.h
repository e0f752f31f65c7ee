#pragma once
// A joint activity of two or more household members: who takes part, who
// reaches it on their own from work, what it is, where and when it takes place
// and which household vehicle serves it. Activity generation creates the
// record; joint travel, joint-activity scheduling and the joint-tour vehicle
// choice complete it. Held by value in the household's list of joint activities.
//
// Member sets are indexed by position in the household's person list: entry i
// stands for the member at position i + 1 (CPersonObject::GetPosition), whatever
// its person number (column 1). Ask about a member through the overloads that
// take the person, so that a number can never stand in for a position.

#include <cstddef>
#include <vector>

class CPersonObject;

class CJointActivityRecord {
public:
    CJointActivityRecord() = default;
    // A new joint activity of the given participants (one entry per household
    // member): nobody travels apart, every member's mark is 1, zone, times and
    // vehicle are not chosen yet.
    CJointActivityRecord(std::vector<bool> participants, int activityType, double duration);

    // Number of household members the sets cover.
    int GetMemberCount() const { return static_cast<int>(m_participants.size()); }
    // Number of participants.
    int GetParticipantCount() const;

    // Membership by position (1-based), for walks over the person list. A
    // position outside the household is in neither set; setting it throws
    // std::out_of_range.
    bool IsParticipant(int position) const;
    void SetParticipant(int position, bool takesPart);
    bool TravelsApart(int position) const;
    void SetTravelsApart(int position, bool apart);
    // The same for a member in hand, by the member's position.
    bool IsParticipant(const CPersonObject& person) const;
    bool TravelsApart(const CPersonObject& person) const;
    void SetTravelsApart(const CPersonObject& person, bool apart);

    // The member's mark, by position or for a member in hand; std::out_of_range
    // outside the household.
    int GetPersonMark(int position) const;
    void SetPersonMark(int position, int mark);
    int GetPersonMark(const CPersonObject& person) const;
    void SetPersonMark(const CPersonObject& person, int mark);

    // 1-based position of the record in the household's list; 0 until numbered.
    int m_nId = 0;
    // Members taking part.
    std::vector<bool> m_participants;
    // Members that reach the activity on their own (from work) instead of on the joint tour.
    std::vector<bool> m_travelApart;
    // One int per member, 1 at creation: set when a member leaves for the
    // activity from home; a non-worker's joint tour reads its mode from it.
    std::vector<int> m_personMarks;
    // Activity code of the joint activity (the stop activity codes).
    int m_nActivityType = -1;
    // Zone of the activity; -1 until chosen.
    int m_nZone = -1;
    // Start time, minutes of the day; -1 until scheduled.
    double m_dStartTime = -1.0;
    // Duration per participant, minutes.
    double m_dDuration = 0.0;
    // End time (the return home included), minutes of the day; -1 until scheduled.
    double m_dEndTime = -1.0;
    // Household vehicle (index in the vehicle list) used for the joint tour; -1 for none.
    int m_nVehicle = -1;

private:
    // Index of a position in the member sets; -1 outside them.
    int IndexOf(int position) const;
    std::size_t CheckedIndex(int position) const;
};
