#pragma once
// Times one stretch of a level-of-service lookup with the process-wide section
// timer: starts the section when made and stops it when it goes out of scope,
// also when the lookup leaves through a database error.

#include "platform/CSectionTimer.h"

class CTimedSection {
public:
    explicit CTimedSection(const char* section) : m_section(section) { CSectionTimer::StartTimer(m_section); }
    ~CTimedSection() { CSectionTimer::StopTimer(m_section); }

    CTimedSection(const CTimedSection&) = delete;
    CTimedSection& operator=(const CTimedSection&) = delete;

private:
    const char* m_section;
};
