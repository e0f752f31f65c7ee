#include "models/computed/Variables340Helpers.h"

namespace Variables340Helpers {

const CJointActivityRecord* CurrentJointRecord(const Frame& f) {
    if (f.household == nullptr) return nullptr;
    const int index = f.household->m_nCurrentJointRecord;
    const auto& records = f.household->m_jointActivities;
    if (index < 0 || index >= static_cast<int>(records.size())) return nullptr;
    return &records[static_cast<std::size_t>(index)];
}

bool MemberTakesPart(const Frame& f, const CJointActivityRecord& record, int i) {
    return i >= 1 && i <= MemberCount(f) && record.IsParticipant(i);
}

bool PersonTakesPart(const Frame& f, const CJointActivityRecord& record) {
    if (f.person == nullptr) return false;
    return MemberTakesPart(f, record, f.person->GetPosition());
}

const CJointActivityRecord* FirstJointRecordOfPerson(const Frame& f) {
    if (f.household == nullptr) return nullptr;
    for (const CJointActivityRecord& record : f.household->m_jointActivities)
        if (PersonTakesPart(f, record)) return &record;
    return nullptr;
}

}  // namespace Variables340Helpers
