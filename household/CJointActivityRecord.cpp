#include "household/CJointActivityRecord.h"

#include "data/CPersonObject.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

CJointActivityRecord::CJointActivityRecord(std::vector<bool> participants, int activityType, double duration)
    : m_participants(std::move(participants)),
      m_travelApart(m_participants.size(), false),
      m_personMarks(m_participants.size(), 1),
      m_nActivityType(activityType),
      m_dDuration(duration) {}

int CJointActivityRecord::GetParticipantCount() const {
    return static_cast<int>(std::count(m_participants.begin(), m_participants.end(), true));
}

int CJointActivityRecord::IndexOf(int position) const {
    if (position < 1 || position > GetMemberCount()) return -1;
    return position - 1;
}

size_t CJointActivityRecord::CheckedIndex(int position) const {
    const int index = IndexOf(position);
    if (index < 0)
        throw std::out_of_range("joint activity: person position " + std::to_string(position) +
                                " outside the household");
    return static_cast<size_t>(index);
}

bool CJointActivityRecord::IsParticipant(int position) const {
    const int index = IndexOf(position);
    return index >= 0 && m_participants[static_cast<size_t>(index)];
}

void CJointActivityRecord::SetParticipant(int position, bool takesPart) {
    m_participants[CheckedIndex(position)] = takesPart;
}

bool CJointActivityRecord::TravelsApart(int position) const {
    const int index = IndexOf(position);
    return index >= 0 && static_cast<size_t>(index) < m_travelApart.size() &&
           m_travelApart[static_cast<size_t>(index)];
}

void CJointActivityRecord::SetTravelsApart(int position, bool apart) {
    m_travelApart.at(CheckedIndex(position)) = apart;
}

bool CJointActivityRecord::IsParticipant(const CPersonObject& person) const {
    return IsParticipant(person.GetPosition());
}

bool CJointActivityRecord::TravelsApart(const CPersonObject& person) const {
    return TravelsApart(person.GetPosition());
}

void CJointActivityRecord::SetTravelsApart(const CPersonObject& person, bool apart) {
    SetTravelsApart(person.GetPosition(), apart);
}

int CJointActivityRecord::GetPersonMark(int position) const { return m_personMarks.at(CheckedIndex(position)); }

void CJointActivityRecord::SetPersonMark(int position, int mark) { m_personMarks.at(CheckedIndex(position)) = mark; }

int CJointActivityRecord::GetPersonMark(const CPersonObject& person) const {
    return GetPersonMark(person.GetPosition());
}

void CJointActivityRecord::SetPersonMark(const CPersonObject& person, int mark) {
    SetPersonMark(person.GetPosition(), mark);
}
