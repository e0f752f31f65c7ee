#include "household/CJointActivityRecord.h"

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

int CJointActivityRecord::IndexOf(int personNumber) const {
    if (personNumber < 1 || personNumber > GetMemberCount()) return -1;
    return personNumber - 1;
}

size_t CJointActivityRecord::CheckedIndex(int personNumber) const {
    const int index = IndexOf(personNumber);
    if (index < 0)
        throw std::out_of_range("joint activity: person number " + std::to_string(personNumber) +
                                " outside the household");
    return static_cast<size_t>(index);
}

bool CJointActivityRecord::IsParticipant(int personNumber) const {
    const int index = IndexOf(personNumber);
    return index >= 0 && m_participants[static_cast<size_t>(index)];
}

void CJointActivityRecord::SetParticipant(int personNumber, bool takesPart) {
    m_participants[CheckedIndex(personNumber)] = takesPart;
}

bool CJointActivityRecord::TravelsApart(int personNumber) const {
    const int index = IndexOf(personNumber);
    return index >= 0 && static_cast<size_t>(index) < m_travelApart.size() &&
           m_travelApart[static_cast<size_t>(index)];
}

void CJointActivityRecord::SetTravelsApart(int personNumber, bool apart) {
    m_travelApart.at(CheckedIndex(personNumber)) = apart;
}

int CJointActivityRecord::GetPersonMark(int personNumber) const {
    return m_personMarks.at(CheckedIndex(personNumber));
}

void CJointActivityRecord::SetPersonMark(int personNumber, int mark) {
    m_personMarks.at(CheckedIndex(personNumber)) = mark;
}
