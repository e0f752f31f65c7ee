#pragma once
// Household simulator of a couple with children. Each escort episode goes
// to one of the two parents.

#include "household/CHouseholdWithChildren.h"

class CBLogitMM;

class CoupleWChildrenHH : public CHouseholdWithChildren {
public:
    explicit CoupleWChildrenHH(CModelSystem* models);
    ~CoupleWChildrenHH() override;

    // Slot 9: the drop-off episode, then the pick-up episode (each only when
    // it is the household's single one), goes to the parent a binary logit
    // chooses, each draw after a reseed of its own.
    void AllocateEscortEpisodes() override;
    CPersonObject* GetParentOne() override;
    CPersonObject* GetParentTwo() override;

private:
    // The parent the model chooses (parent one on true), or the other parent
    // when the chosen one drives no vehicle; null when neither exists.
    CPersonObject* ChooseParent(CBLogitMM& model);
};
