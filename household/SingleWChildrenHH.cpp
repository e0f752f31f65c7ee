#include "household/SingleWChildrenHH.h"

#include "data/CPersonObject.h"

SingleWChildrenHH::SingleWChildrenHH(CModelSystem* models) : CHouseholdWithChildren(models) {}

SingleWChildrenHH::~SingleWChildrenHH() = default;

// A household without a parent leaves its episodes without an adult. The
// parent keeps the pick-up mark even when the day's end is too far from the
// pick-up for the episode to be kept.
void SingleWChildrenHH::AllocateEscortEpisodes() {
    CPersonObject* parent = FindFirstParent();
    if (parent == nullptr) return;
    const bool works = parent->GetFlag(0);
    if (m_dropOffEpisodes.size() == 1) {
        m_dropOffEpisodes.front().m_pAdult = parent;
        parent->m_bDropsOffChildren = 1;
        if (works) StartWorkAfterDropOff(*parent, m_dropOffEpisodes.front());
    }
    if (m_pickUpEpisodes.size() == 1) {
        m_pickUpEpisodes.front().m_pAdult = parent;
        parent->m_bPicksUpChildren = 1;
        if (works && !EndWorkForPickUp(*parent, m_pickUpEpisodes.front())) m_pickUpEpisodes.clear();
    }
}

CPersonObject* SingleWChildrenHH::GetParentOne() { return FindParent(true); }

CPersonObject* SingleWChildrenHH::GetParentTwo() { return FindParent(false); }
