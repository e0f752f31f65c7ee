#include "vehicles/CVehiclePersonSummary.h"

#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "data/CRecordLine.h"
#include "data/InputColumns.h"
#include "vehicles/VehicleColumns.h"

CVehiclePersonSummary CVehiclePersonSummary::Of(const CPersonObject& person, int homeZone,
                                                CInputDataManager* manager, std::vector<double>& losBuffer,
                                                std::vector<int>& zoneBuffer) {
    const std::vector<double>* row = &person.GetValues();
    CVehiclePersonSummary s;
    s.m_age = CRecordLine::TruncateToInt(ColumnOrZero(row, InputColumns::kAge));
    s.m_column7 = ColumnOrZero(row, InputColumns::kFemale) != 0.0;
    s.m_worker = person.GetFlag(0) && !person.GetFlag(1);
    s.m_column10 = ColumnOrZero(row, InputColumns::kUsBorn) != 0.0;
    s.m_column11 = ColumnOrZero(row, InputColumns::kWhite) != 0.0;
    s.m_column12 = ColumnOrZero(row, InputColumns::kEnglishAtHome) != 0.0;
    s.m_column57 = ColumnOrZero(row, InputColumns::kBachelor) != 0.0;
    s.m_column4 = ColumnOrZero(row, InputColumns::kLicence) != 0.0;
    if (manager && person.GetFlag(0) && ColumnOrZero(row, InputColumns::kAge) > 16.0) {
        zoneBuffer.assign(1, person.GetActivityZone());
        losBuffer.clear();
        manager->GetLOS(losBuffer, 4, 540.0, homeZone, zoneBuffer);
        if (!losBuffer.empty()) s.m_commuteLos = losBuffer.front();
    }
    return s;
}
