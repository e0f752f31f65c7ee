#include "EscortTestWorld.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CEpisodeRecord.h"
#include "models/CBLogitMM.h"
#include "schedules/CWPattern.h"
#include "support/RecordingMessageSink.h"
#include "tools/SampleRegionGenerator.h"

#include <stdexcept>

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
    do m_pHousehold = manager.LoadNextHousehold();
    while (m_pHousehold != nullptr && m_pHousehold->GetPersonCount() < 3);
    if (m_pHousehold == nullptr) throw std::runtime_error("the region has no household of three members");
    m_pHousehold->SortPersonsByNumber();
    models.m_pHouseholdObject = m_pHousehold;
    models.m_pHousehold = &simulator;
    models.PassSettingsToHousehold();
    simulator.SetHousehold(m_pHousehold);
    manager.SetOriginZone(HomeZone());

    for (int k = 1; k <= 3; ++k) {
        CPersonObject* person = m_pHousehold->GetPerson(k);
        person->SetValue(8, k == 1 ? 40.0 : 6.0 + k);
        person->SetValue(9, k == 1 ? 1.0 : 0.0);
        person->SetValue(6, OtherZone());
        for (int flag = 0; flag < CPersonObject::kFlagCount; ++flag) person->SetFlag(flag, k > 1 && flag <= 1);
        person->CreatePattern();
        if (CWPattern* school = person->GetWPattern()) {
            school->SetWorkStart(480.0);
            school->SetWorkDuration(400.0);
        }
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

void EscortTestWorld::Answers(CBLogitMM& model, bool yes) {
    model.m_terms = CVariableSet();
    model.m_terms.Add(30000, yes ? 50.0 : -50.0);
}

void EscortTestWorld::AddEpisode(std::vector<CEpisodeRecord>& list, double time) {
    CEpisodeRecord episode(Child(1), time, OtherZone());
    episode.AddChild(Child(2));
    episode.m_pAdult = Adult();
    list.push_back(episode);
}
