#include "household/HouseholdSimulatorFactory.h"

#include "household/CGenericHousehold.h"
#include "household/CoupleNoChildrenHH.h"
#include "household/CoupleWChildrenHH.h"
#include "household/HouseholdTypeTable.h"
#include "household/OtherNoChildrenHH.h"
#include "household/OtherWChildrenHH.h"
#include "household/SingleNoChildrenHH.h"
#include "household/SingleWChildrenHH.h"
#include "platform/MessageSink.h"

std::unique_ptr<CHouseholdCoordinator> CreateHouseholdSimulator(int householdType, CModelSystem* models) {
    const auto simulatorClass = HouseholdTypeTable::ClassOfType(householdType);
    if (!simulatorClass) return nullptr;

    switch (*simulatorClass) {
        case HouseholdSimulatorClass::Generic:
            MessageSink::Post("Why is this a generic hh", MessageIcon::Information);
            return std::make_unique<CGenericHousehold>(models);
        case HouseholdSimulatorClass::SingleNoChildren:
            return std::make_unique<SingleNoChildrenHH>(models);
        case HouseholdSimulatorClass::CoupleNoChildren:
            return std::make_unique<CoupleNoChildrenHH>(models);
        case HouseholdSimulatorClass::OtherNoChildren:
            return std::make_unique<OtherNoChildrenHH>(models);
        case HouseholdSimulatorClass::SingleWithChildren:
            return std::make_unique<SingleWChildrenHH>(models);
        case HouseholdSimulatorClass::CoupleWithChildren:
            return std::make_unique<CoupleWChildrenHH>(models);
        case HouseholdSimulatorClass::OtherWithChildren:
            return std::make_unique<OtherWChildrenHH>(models);
    }
    return nullptr;
}
