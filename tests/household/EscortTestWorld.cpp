#include "EscortTestWorld.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "models/CBLogitMM.h"
#include "models/CRegressMM.h"
#include "schedules/CWPattern.h"
#include "support/RecordingMessageSink.h"
#include "tools/SampleRegionGenerator.h"

#include <cmath>
#include <stdexcept>

namespace {

constexpr int kConstantTerm = 30000;

}  // namespace

EscortTestWorld::EscortTestWorld(const std::string& kind) : m_db(TestDatabase::Create(kind)) {
    SampleRegionGenerator::Options options;
    options.zones = 6;
    options.households = 30;
    options.seed = 3;
    {
        CDatabase writer;
        writer.OpenEx(m_db->Connect(), false);
        SampleRegionGenerator(options).Write(writer);
    }
    m_connection.OpenEx(m_db->Connect());
    RecordingMessageSink quiet;
    if (!manager.LoadTables(&m_connection)) throw std::runtime_error("the region's tables do not load");
    models.SetDataManager(&manager);
    manager.LoadHouseholdIdPage(0, static_cast<unsigned>(options.households));
    while ((m_pHousehold = manager.LoadNextHousehold()) != nullptr && m_pHousehold->GetPersonCount() < 3) {
    }
    if (m_pHousehold == nullptr) throw std::runtime_error("the region has no household of three members");
    m_pHousehold->SortPersonsByNumber();

    models.m_pHouseholdObject = m_pHousehold;
    models.m_pHousehold = &simulator;
    models.PassSettingsToHousehold();
    simulator.SetHousehold(m_pHousehold);
    manager.SetOriginZone(HomeZone());

    CPersonObject* adult = Adult();
    adult->SetValue(8, 40.0);
    adult->SetValue(9, 1.0);
    for (int flag = 0; flag < CPersonObject::kFlagCount; ++flag) adult->SetFlag(flag, false);
    adult->CreatePattern();
    for (int i = 1; i <= 2; ++i) {
        CPersonObject* child = Child(i);
        child->SetValue(8, 6.0 + i);
        child->SetValue(6, OtherZone());
        for (int flag = 0; flag < CPersonObject::kFlagCount; ++flag) child->SetFlag(flag, flag <= 1);
        child->CreatePattern();
        CWPattern* school = child->GetWPattern();
        school->SetWorkStart(480.0);
        school->SetWorkDuration(400.0);
    }
}

EscortTestWorld::~EscortTestWorld() {
    models.m_pHousehold = nullptr;
    models.m_pHouseholdObject = nullptr;
    manager.ReleaseHousehold();
    manager.CloseHouseholdRecordset();
    m_connection.Close();
}

CPersonObject* EscortTestWorld::Adult() const { return m_pHousehold->GetPerson(1); }

CPersonObject* EscortTestWorld::Child(int i) const { return m_pHousehold->GetPerson(1 + i); }

int EscortTestWorld::HomeZone() const { return m_pHousehold->GetHomeZone(); }

int EscortTestWorld::OtherZone() const { return HomeZone() == 1 ? 2 : 1; }

void EscortTestWorld::Predicts(CRegressMM& model, double minutes) {
    model.m_terms = CVariableSet();
    // A quarter minute above, so that floor(exp(y)) is the minutes whatever
    // the last bit of exp(log(minutes)).
    model.m_terms.Add(kConstantTerm, std::log(minutes + 0.25));
    model.m_dVariance = 0.0;
}

void EscortTestWorld::Answers(CBLogitMM& model, bool yes) {
    model.m_terms = CVariableSet();
    model.m_terms.Add(kConstantTerm, yes ? 50.0 : -50.0);
}
