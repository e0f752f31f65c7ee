#include "household/WorkerDay.h"

#include "data/LOSRegion.h"
#include "household/HouseholdRows.h"

#include "data/CPersonObject.h"
#include "models/CMNLogitMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "schedules/CNWPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace {

constexpr int kPersonColumns = 53;
constexpr int kConstant = 30000;

}  // namespace

WorkerDay::WorkerDay(const std::string& kind) {
    db = TestDatabase::Create(kind);
    LOSRegion::Create(*db, LOSRegion::StandardDirectory());
    connection.OpenEx(db->Connect());
    if (!data.LoadTables(&connection)) throw std::runtime_error("tables of the test region did not load");
    models.SetDataManager(&data);
    simulator = std::make_unique<CGenericHousehold>(&models);
    models.m_pHousehold = simulator.get();
    models.PassSettingsToHousehold();
}

WorkerDay::~WorkerDay() {
    models.m_pHousehold = nullptr;
    models.m_pHouseholdObject = nullptr;
}

std::vector<double> WorkerDay::Person(int number, bool employed, double age, bool driver) {
    std::vector<double> row(kPersonColumns, 0.0);
    row[0] = kHouseholdId;
    row[1] = number;
    row[2] = employed ? 1.0 : 0.0;
    row[5] = kWorkZone;
    row[8] = age;
    row[14] = driver ? 1.0 : 0.0;
    return row;
}

CHouseholdObject& WorkerDay::Load(const std::vector<std::vector<double>>& persons) {
    household = HouseholdRows::Load(*db, {kHouseholdId, 0, 1, kHomeZone, 0, 2}, persons, &data);
    models.m_pHouseholdObject = household.get();
    simulator->SetHousehold(household.get());
    data.SetOriginZone(kHomeZone);
    return *household;
}

CWPattern& WorkerDay::MakeWorker(int number, const std::vector<int>& activityFlags, double start, double duration) {
    CPersonObject& person = *household->GetPerson(number);
    person.SetFlag(0, true);
    for (int flag : activityFlags) person.SetFlag(flag, true);
    person.CreatePattern();
    CWPattern& pattern = *person.GetWPattern();
    pattern.SetWorkStart(start);
    pattern.SetWorkDuration(duration);
    return pattern;
}

CNWPattern& WorkerDay::MakeNonWorker(int number, const std::vector<int>& activityFlags) {
    CPersonObject& person = *household->GetPerson(number);
    for (int flag : activityFlags) person.SetFlag(flag, true);
    person.CreatePattern();
    return *person.GetNWPattern();
}

void WorkerDay::FixCategory(COrdProbitMM& model, int category) {
    // The latent value (0 plus a standard normal) lies between -50 and 50.
    model.m_terms.Clear();
    model.m_thresholds.clear();
    for (int c = 1; c < category; ++c) model.m_thresholds.push_back(-60.0 + c);
    model.m_thresholds.push_back(50.0);
}

void WorkerDay::FixMinutes(CRegressMM& model, double minutes) {
    model.m_terms.Clear();
    model.m_terms.Add(kConstant, std::log(minutes + 0.5));
    model.m_dVariance = 0.0;
}

void WorkerDay::FixChoice(CMNLogitMM& model, int alternative) {
    for (auto& [id, terms] : model.m_utilityFunctions) {
        terms.Clear();
        if (id == alternative) terms.Add(kConstant, 60.0);
    }
}

void WorkerDay::FixTourModels(int tours, int stops, double stay, int mode) {
    for (COrdProbitMM* count : {models.m_pNumberOfToursAfterWork, models.m_pNumberOfToursBasedAtWork,
                                models.m_pNumberOfToursBeforeWork})
        FixCategory(*count, tours);
    for (COrdProbitMM* count : {models.m_pAWTourNumberOfStops, models.m_pWBTourNumberOfStops,
                                models.m_pBWTourNumberOfStops})
        FixCategory(*count, stops);
    for (CRegressMM* model : {models.m_pAWHomeStay, models.m_pWBWorkStay, models.m_pBWHomeStay}) FixMinutes(*model, stay);
    for (CMNLogitMM* model : {models.m_pAWTourMode, models.m_pWBTourMode, models.m_pBWTourMode}) FixChoice(*model, mode);
    for (int k = 1; k <= CModelSystem::kTourCount; ++k) {
        FixCategory(models.NumberOfStopsInTour(k), stops);
        FixMinutes(models.HomeStayDurationBeforeTour(k), stay);
        FixChoice(models.ModeForTour(k), mode);
    }
}

double WorkerDay::AutoTime(int o, int d, double time) {
    const int table = time < 360 ? 1 : (time < 540 ? 2 : (time < 960 ? 3 : 2));
    return *LOSRegion::LOSValue(table, o, d, 5);
}

double WorkerDay::Arrival(const CTour& tour) {
    const CStop& last = *tour.GetStopByNumber(tour.GetStopCount());
    return last.GetDepartureTime() + last.GetTravelTime();
}

void WorkerDay::ExpectChained(const CTour& tour, const std::string& what, bool fromWindow) {
    ASSERT_GE(tour.GetStopCount(), 1) << what;
    if (fromWindow) {
        EXPECT_DOUBLE_EQ(tour.GetStopByNumber(1)->GetDepartureTime(), tour.GetWindowStart() + tour.GetPreTourTime())
            << what;
    }
    for (int k = 2; k <= tour.GetStopCount(); ++k) {
        const CStop& previous = *tour.GetStopByNumber(k - 1);
        const CStop& stop = *tour.GetStopByNumber(k);
        EXPECT_DOUBLE_EQ(stop.GetDepartureTime(), std::floor(previous.GetDepartureTime() + previous.GetTravelTime() +
                                                             previous.GetActivityDuration()))
            << what << " stop " << k;
        EXPECT_EQ(stop.GetOriginZone(), previous.GetZone()) << what << " stop " << k;
        EXPECT_EQ(stop.GetOriginActivityType(), previous.GetActivityType()) << what << " stop " << k;
    }
}
