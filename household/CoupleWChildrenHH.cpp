#include "household/CoupleWChildrenHH.h"

#include "data/CPersonObject.h"
#include "household/DecisionKey.h"
#include "models/CBLogitMM.h"
#include "modelsystem/CModelSystem.h"

CoupleWChildrenHH::CoupleWChildrenHH(CModelSystem* models) : CHouseholdWithChildren(models) {}

CoupleWChildrenHH::~CoupleWChildrenHH() = default;

CPersonObject* CoupleWChildrenHH::ChooseParent(CBLogitMM& model) {
    const bool first = model.Choose(m_pHouseholdObject);
    CPersonObject* chosen = first ? GetParentOne() : GetParentTwo();
    CPersonObject* other = first ? GetParentTwo() : GetParentOne();
    // A parent without a vehicle hands the episode to the other parent, when
    // there is one, whatever that parent drives.
    if ((chosen == nullptr || chosen->m_nVehicle == -1) && other != nullptr) chosen = other;
    return chosen;
}

// An episode whose chosen parent does not exist stays without an adult. A
// parent whose day ends too far from the pick-up time does not get the
// pick-up episode, which is dropped.
void CoupleWChildrenHH::AllocateEscortEpisodes() {
    if (m_pHouseholdObject == nullptr) return;
    if (m_dropOffEpisodes.size() == 1) {
        decision_key::Reseed(*m_pModelSystem, *m_pHouseholdObject, 2);
        if (CPersonObject* parent = ChooseParent(*m_pModelSystem->m_pAllocationOfDropOffEpisodeToParent)) {
            m_dropOffEpisodes.front().m_pAdult = parent;
            parent->m_bDropsOffChildren = 1;
            if (parent->GetFlag(0)) StartWorkAfterDropOff(*parent, m_dropOffEpisodes.front());
        }
    }
    if (m_pickUpEpisodes.size() == 1) {
        decision_key::Reseed(*m_pModelSystem, *m_pHouseholdObject, 3);
        if (CPersonObject* parent = ChooseParent(*m_pModelSystem->m_pAllocationOfPickUpEpisodeToParent)) {
            if (parent->GetFlag(0) && !EndWorkForPickUp(*parent, m_pickUpEpisodes.front())) {
                m_pickUpEpisodes.clear();
                return;
            }
            m_pickUpEpisodes.front().m_pAdult = parent;
            parent->m_bPicksUpChildren = 1;
        }
    }
}

CPersonObject* CoupleWChildrenHH::GetParentOne() { return FindParent(true); }

CPersonObject* CoupleWChildrenHH::GetParentTwo() { return FindParent(false); }
