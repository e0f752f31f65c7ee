#pragma once
// What the vehicle fleet simulation reads of one household member: age bands,
// the person columns the utilities and the driver log-sum test, and the
// member's commute level of service when the member commutes.

#include <optional>
#include <vector>

class CInputDataManager;
class CPersonObject;

struct CVehiclePersonSummary {
    int m_age = 0;              // person column 8, truncated toward zero
    bool m_column7 = false;     // person column 7 is not 0.0
    bool m_worker = false;      // flag 0 set and flag 1 clear
    bool m_column10 = false;
    bool m_column11 = false;
    bool m_column12 = false;
    bool m_column57 = false;
    bool m_column4 = false;     // a driver candidate of the log-sum
    // Level-of-service column 4 from home to the activity zone at 540 minutes;
    // only for a member whose flag 0 is set and whose column 8 exceeds 16.0,
    // absent for every other member and when the lookup gives no value.
    std::optional<double> m_commuteLos;

    // The summary of a person. Columns the person's row lacks read 0.0. The
    // commute value is looked up only for a commuting member and a manager.
    static CVehiclePersonSummary Of(const CPersonObject& person, int homeZone, CInputDataManager* manager,
                                    std::vector<double>& losBuffer, std::vector<int>& zoneBuffer);
};
