#pragma once
// Times one stretch of a level-of-service lookup with the process-wide section
// timer: starts the section when made and stops it when it goes out of scope,
// also when the lookup leaves through a database error. Call sites keep the
// section's id (CSectionTimer::Section), so timing takes no lock.

#include "platform/CSectionTimer.h"

class CTimedSection {
public:
    explicit CTimedSection(CSectionTimer::SectionId section) : m_section(section) { CSectionTimer::Start(m_section); }
    ~CTimedSection() { CSectionTimer::Stop(m_section); }

    CTimedSection(const CTimedSection&) = delete;
    CTimedSection& operator=(const CTimedSection&) = delete;

private:
    CSectionTimer::SectionId m_section;
};
