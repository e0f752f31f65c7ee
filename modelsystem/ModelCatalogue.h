#pragma once
// The fixed catalogue of named model components that every model system
// creates: for each model the member it is stored in (whose type names its
// class), its name (also its id in the model-parameter file and its editor's
// caption) and what its class needs beyond the name: the alternative-name
// table of a multinomial logit, the category entry of an ordered probit, the
// number of alternatives of an MDCEV model, the keep percentage of a walk
// location model. The rows are listed in creation order.

#include "modelsystem/CModelSystem.h"

#include <span>
#include <string>
#include <variant>
#include <vector>

namespace ModelCatalogue {

// The alternative-name table a multinomial logit copies its alternatives from.
enum class EAlternativeTable { kNone, kSchoolModes, kAdultModes, kTourModes, kActivityTypes };

// Constructor arguments beyond the owner and the name; each class reads only
// its own field.
struct SModelExtras {
    EAlternativeTable alternatives = EAlternativeTable::kNone;  // CMNLogitMM
    int categoryEntry = -1;                                     // COrdProbitMM: entry of m_ordProbitCategories
    int alternativeCount = 0;                                   // CMdcevMM
    float percent = 0.0f;                                       // CLocationWalkMM
};

// The member a single model is stored in.
using SingleMember =
    std::variant<CRegressMM* CModelSystem::*, CBLogitMM* CModelSystem::*, COrdProbitMM* CModelSystem::*,
                 CHazardMM* CModelSystem::*, CMNLogitMM* CModelSystem::*, CLocationMM* CModelSystem::*,
                 CLocationWalkMM* CModelSystem::*, CMdcevMM* CModelSystem::*, CStartAndEndTimeMM* CModelSystem::*>;

// The per-tour vector a tour model is stored in.
using TourMember = std::variant<std::vector<CRegressMM*> CModelSystem::*, std::vector<COrdProbitMM*> CModelSystem::*,
                                std::vector<CMNLogitMM*> CModelSystem::*, std::vector<CLocationMM*> CModelSystem::*>;

struct SSingleModel {
    SingleMember member;
    const char* name;
    SModelExtras extras;
};

// One model per tour number: the model of tour k is stored at index k - 1 and
// named prefix + k in decimal + suffix. An ordered probit of tour k takes the
// category entry of tour 1 plus k - 1.
struct STourModel {
    TourMember member;
    const char* namePrefix;
    const char* nameSuffix;
    SModelExtras extras;
};

// Per-tour vectors created together: each vector first gets `vectorSize` empty
// entries, then tour by tour (1 to 4) every model of the group is created.
// Entries past the fourth stay empty.
struct STourGroup {
    int vectorSize;
    std::span<const STourModel> models;
};

// Number of tours that have per-tour models.
inline constexpr int kTourCount = 4;

// Creation order: the single models before the per-tour vectors, the groups of
// per-tour vectors, the single models after them.
std::span<const SSingleModel> SingleModelsBeforeTours();
std::span<const STourGroup> TourGroups();
std::span<const SSingleModel> SingleModelsAfterTours();

// The name of the model of tour `tour` of a per-tour row.
std::string TourModelName(const STourModel& model, int tour);

}  // namespace ModelCatalogue
