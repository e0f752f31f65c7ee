#pragma once
// Zone of a stop reached on foot or by bicycle: with a fixed probability the
// stop stays in the zone the trip starts from, otherwise it moves to one of
// the zones adjacent to it, each equally likely. The rule has no parameters to
// estimate, so the model has no editor and no place in the model files; its
// name is kept apart from the base's so that the files never see it.

#include "models/CModelModule.h"

#include <string>
#include <vector>

class CLocationWalkMM : public CModelModule {
public:
    // The base part keeps an empty name; `name` goes to the model's own field.
    // `percent` is the probability, in percent, of keeping the zone.
    CLocationWalkMM(CModelSystem* owner, const std::string& name, float percent);

    // One uniform U, always drawn first. The given zone when the list is empty
    // or percent / 100 >= U; otherwise the candidate at which the running sum
    // of (100 - percent) / 100 / n reaches U - percent / 100 (the last
    // candidate when rounding leaves the sum short).
    int Draw(int zone, const std::vector<int>& candidates);

    // The edit commands copy every model of model system 0 into the other
    // systems; the walk rule is fixed at construction, so there is nothing to
    // take.
    void CopyParameters(const CLocationWalkMM& other) {}

    const std::string& GetWalkModelName() const { return m_strName; }
    float GetPercent() const { return m_fPercent; }

    std::string m_strName;
    float m_fPercent = 0.0f;
};
