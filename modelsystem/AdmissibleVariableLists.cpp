// The admissible computed variables of the catalogue's models.
//
// The lists follow the level each model decides at: household and school
// decisions offer the household composition and school variables, the worker's
// commute and tour models the work schedule, commute and tour attributes, the
// stop models add the stop attributes, the location models offer the
// zone-pair variables (travel times, distances, zonal employment and
// population), the non-worker's tour models the non-worker's tour counters and
// pick-up and drop-off duties. Registry slots without a description are left
// out, with one exception kept on purpose: the work start and end time list
// offers index 326, which the editor shows as an empty line.

#include "modelsystem/AdmissibleVariableLists.h"

namespace {

constexpr int kHouseholdBasics[] = {
    0,
};
constexpr const char* kHouseholdBasicsModels[] = {
    "Vehicle Make",
    "Decision to go to School",
    "Children's school Start time",
    "Children's school End time",
    "Household Annual Mileage",
};

constexpr int kAdultWorkAndSchool[] = {
    0, 5, 182, 183, 6, 7, 8, 9, 184, 10, 185, 190, 186, 11, 187, 188, 189,
};
constexpr const char* kAdultWorkAndSchoolModels[] = {
    "Decision to go to Work",
    "Adult's Decision to go to school",
    "Adult's school Start time",
    "Adult's School End time",
};

constexpr int kWorkStartEndTime[] = {
    0, 264, 265, 266, 267, 268, 269, 270, 271, 272, 273, 274, 275, 262, 263, 282, 283, 284, 285,
    286, 287, 288, 289, 290, 291, 292, 293, 300, 301, 302, 303, 304, 305, 15, 312, 313, 314, 315,
    316, 18, 322, 336, 337, 338, 326, 17,
};
constexpr const char* kWorkStartEndTimeModels[] = {
    "Work-Start-End-Time",
};

constexpr int kModeToSchool[] = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 182, 183, 184, 185, 186, 187, 188, 189, 190, 150, 151,
    152, 158, 159, 160, 12, 13, 14, 15, 16, 25, 27, 327,
};
constexpr const char* kModeToSchoolModels[] = {
    "Mode to school for children",
};

constexpr int kModeFromSchool[] = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 182, 183, 184, 185, 186, 187, 188, 189, 190, 150, 151,
    152, 158, 159, 160, 30, 31, 32, 33, 12, 13, 14, 15, 16, 328,
};
constexpr const char* kModeFromSchoolModels[] = {
    "Mode from school for children",
};

constexpr int kDropOffAllocation[] = {
    0, 12, 13, 14, 15, 16, 25, 26, 27, 28, 199, 200, 201, 202, 203, 88, 191, 5, 6, 7, 8, 9, 10, 11,
    30, 31, 32, 33, 34, 35, 36, 37, 38, 40, 327, 328, 357,
};
constexpr const char* kDropOffAllocationModels[] = {
    "Allocation of drop off episode to parent",
};

constexpr int kPickUpAllocation[] = {
    0, 12, 13, 14, 15, 16, 25, 26, 27, 28, 199, 200, 201, 202, 203, 88, 191, 5, 6, 7, 8, 9, 10, 11,
    34, 35, 36, 37, 39, 40, 327, 328, 329, 330, 357,
};
constexpr const char* kPickUpAllocationModels[] = {
    "Allocation of pick up episode to parent",
};

constexpr int kChildDiscretionary[] = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 182, 183, 184, 185, 186, 187, 188, 189, 190, 20, 21, 22,
    24, 203,
};
constexpr const char* kChildDiscretionaryModels[] = {
    "Decision of child to undertake independent discretionary activity",
};

constexpr int kHouseholdShopping[] = {
    0, 5, 6, 7, 8, 9, 10, 11, 20, 21, 22, 24, 58, 59, 61, 62, 333, 334, 335, 182, 183, 184, 191,
    192, 193, 194, 195,
};
constexpr const char* kHouseholdShoppingModels[] = {
    "HH Shopping Activity Generation",
};

constexpr int kShoppingAllocation[] = {
    0, 12, 13, 14, 15, 16, 41, 42, 20, 21, 22, 23, 24, 58, 59, 192, 193, 194, 195, 196, 197, 198,
    203, 5, 6, 7, 8, 9, 10, 11, 182, 183, 184, 185, 186, 187, 188, 189,
};
constexpr const char* kShoppingAllocationModels[] = {
    "Shopping Activity Allocation",
};

constexpr int kOtherBusinessGeneration[] = {
    0, 12, 13, 14, 15, 16, 43, 47, 51, 52, 53, 20, 21, 22, 23, 24, 58, 59, 192, 193, 194, 195, 196,
    197, 198, 203, 5, 6, 7, 8, 9, 10, 11, 182, 183, 184, 185, 186, 187,
};
constexpr const char* kOtherBusinessGenerationModels[] = {
    "Individual Other. Bus. Activity Generation",
};

constexpr int kSocialGeneration[] = {
    0, 12, 13, 14, 15, 16, 44, 48, 51, 54, 55, 20, 21, 22, 23, 24, 58, 59, 192, 193, 194, 195, 196,
    197, 198, 203, 5, 6, 7, 8, 9, 10, 11, 182, 183, 184, 185, 186, 187, 188, 189,
};
constexpr const char* kSocialGenerationModels[] = {
    "Individual Social Activity Generation",
};

constexpr int kEatOutGeneration[] = {
    0, 12, 13, 14, 15, 16, 45, 49, 52, 54, 56, 57, 20, 21, 22, 23, 24, 58, 59, 192, 193, 194, 195,
    196, 197, 198, 203, 5, 6, 7, 8, 9, 10, 11, 182, 183, 184, 185, 186, 187, 188, 189, 190, 25,
};
constexpr const char* kEatOutGenerationModels[] = {
    "Individual Eat-out Activity Generation",
};

constexpr int kServePaxGeneration[] = {
    0, 12, 13, 14, 15, 16, 46, 50, 53, 55, 56, 57, 38, 39, 40, 20, 21, 22, 23, 24, 58, 59, 192, 193,
    194, 195, 196, 197, 198, 203, 5, 6, 7, 8, 9, 10, 11, 182, 183, 184, 185, 186, 187, 188, 189,
    190, 25, 26,
};
constexpr const char* kServePaxGenerationModels[] = {
    "Individual Serve-pax Activity Generation",
};

constexpr int kWorkHomeCommuteMode[] = {
    0, 12, 13, 14, 15, 16, 17, 18, 19, 191, 20, 21, 22, 23, 24, 58, 59, 192, 193, 194, 195, 196,
    197, 198, 203, 5, 6, 7, 8, 9, 10, 11, 88, 204, 205, 206, 207, 208, 209, 210, 211, 212, 317, 321,
    336, 337, 338, 339, 341, 25, 26, 27, 28, 199, 200, 201, 202, 29, 38, 39, 40, 41, 42,
};
constexpr const char* kWorkHomeCommuteModeModels[] = {
    "WH commute mode",
};

constexpr int kCommuteStopCount[] = {
    0, 12, 13, 14, 15, 16, 17, 18, 19, 191, 63, 64, 65, 66, 67, 68, 69, 88, 20, 21, 22, 23, 24, 58,
    59, 192, 193, 194, 195, 196, 197, 198, 5, 6, 7, 8, 9, 10, 11, 204, 205, 206, 207, 208, 209, 210,
    211, 212, 317, 321, 336, 337, 338, 339, 341, 29, 38,
};
constexpr const char* kCommuteStopCountModels[] = {
    "WH Number of Stops",
    "HW Number of Stops",
};

constexpr int kToursAfterWork[] = {
    0, 12, 13, 14, 15, 16, 17, 18, 19, 191, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 213,
    214, 215, 216, 218, 226, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91,
    219, 220, 221, 222, 223, 20, 21, 22, 23, 24, 58, 59, 192, 193,
};
constexpr const char* kToursAfterWorkModels[] = {
    "Number of Tours After Work",
};

constexpr int kToursBasedAtWork[] = {
    0, 12, 13, 14, 15, 16, 17, 18, 19, 191, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 213,
    214, 215, 216, 218, 226, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91,
    219, 220, 221, 222, 223, 20, 21, 22, 23, 24, 58, 59, 192, 193,
};
constexpr const char* kToursBasedAtWorkModels[] = {
    "Number of Tours Based at Work",
};

constexpr int kToursBeforeWork[] = {
    0, 12, 13, 14, 15, 16, 17, 18, 19, 191, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 213,
    214, 215, 216, 218, 226, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91,
    219, 220, 221, 222, 223, 20, 21, 22, 23, 24, 58, 59, 192, 193, 194,
};
constexpr const char* kToursBeforeWorkModels[] = {
    "Number of Tours Before Work",
};

constexpr int kWorkerTourMode[] = {
    0, 12, 13, 14, 15, 16, 17, 18, 19, 191, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 213,
    214, 215, 216, 218, 226, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91,
    219, 220, 221, 222, 223, 92, 98, 99, 100, 101, 102, 103, 104, 105, 106, 107, 108, 224, 225, 20,
    21, 22, 23, 24,
};
constexpr const char* kWorkerTourModeModels[] = {
    "BW Tour Mode",
    "WB Tour Mode",
    "AW Tour Mode",
};

constexpr int kWorkerTourStopCount[] = {
    0, 12, 13, 14, 15, 16, 17, 18, 19, 191, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 213,
    214, 215, 216, 218, 226, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91,
    219, 220, 221, 222, 223, 92, 93, 94, 95, 96, 97, 103, 104, 105, 106, 107, 108, 20, 21, 22, 23,
    24, 58, 59, 192, 193, 194, 195,
};
constexpr const char* kWorkerTourStopCountModels[] = {
    "BW Tour Number of Stops",
    "WB Tour Number of Stops",
    "AW Tour Number of Stops",
};

constexpr int kWorkerHomeStay[] = {
    0, 12, 13, 14, 15, 16, 17, 18, 19, 191, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 213,
    214, 215, 216, 218, 226, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91,
    219, 220, 221, 222, 223, 92, 93, 94, 95, 96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 106, 107,
    108, 224, 225, 20, 21, 22, 23, 24, 58, 59, 192, 193, 194, 195,
};
constexpr const char* kWorkerHomeStayModels[] = {
    "BW Home Stay",
    "WB Work Stay",
    "AW Home Stay",
};

constexpr int kWorkerStopActivityType[] = {
    0, 12, 13, 14, 15, 16, 17, 18, 19, 191, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 213,
    214, 215, 216, 218, 226, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91,
    219, 220, 221, 222, 223, 92, 93, 94, 95, 96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 106, 107,
    108, 224, 225, 109, 110, 111, 112, 113, 120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 20,
    21, 22, 23, 24, 58, 59,
};
constexpr const char* kWorkerStopActivityTypeModels[] = {
    "WH Commute Stop Activity Type",
    "HW Commute Stop Activity Type",
    "BW Tour Stop Activity Type",
    "WB Tour Stop Activity Type",
    "AW Tour Stop Activity Type",
};

constexpr int kWorkerStopActivityDuration[] = {
    0, 12, 13, 14, 15, 16, 17, 18, 19, 191, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 213,
    214, 215, 216, 218, 226, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91,
    219, 220, 221, 222, 223, 92, 93, 94, 95, 96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 106, 107,
    108, 224, 225, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124,
    125, 126, 127, 129, 232, 233, 20, 21, 22, 23, 24, 58, 59,
};
constexpr const char* kWorkerStopActivityDurationModels[] = {
    "WH Commute Stop Activity Duration",
    "HW Commute Stop Activity Duration",
    "BW Tour Stop Activity Duration",
    "WB Tour Stop Activity Duration",
    "AW Tour Stop Activity Duration",
};

constexpr int kWorkerStopTravelTime[] = {
    0, 12, 13, 14, 15, 16, 17, 18, 19, 191, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 213,
    214, 215, 216, 218, 226, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91,
    219, 220, 221, 222, 223, 92, 93, 94, 95, 96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 106, 107,
    108, 224, 225, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124,
    125, 126, 127, 128, 232, 233, 20, 21, 22, 23, 24, 58, 59,
};
constexpr const char* kWorkerStopTravelTimeModels[] = {
    "WH Commute Stop Travel Time",
    "HW Commute Stop Travel Time",
    "BW Tour Stop Travel Time",
    "WB Tour Stop Travel Time",
    "AW Tour Stop Travel Time",
};

constexpr int kWorkerStopLocation[] = {
    165, 166, 167, 168, 169, 170, 171, 172, 173, 174, 175, 176, 177, 178, 179, 180, 234, 235, 236,
    237, 238, 239, 240, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250, 251, 252, 253, 322, 342,
    343, 344, 345, 346, 347, 348, 349, 350, 351, 352, 354, 355, 191,
};
constexpr const char* kWorkerStopLocationModels[] = {
    "WH Commute Stop Location (Auto mode)",
    "HW Commute Stop Location (Auto mode)",
    "BW Tour Stop Location (Auto mode)",
    "WB Tour Stop Location (Auto mode)",
    "AW Tour Stop Location (Auto mode)",
};

constexpr int kNonWorkerTourCount[] = {
    0, 140, 141, 142, 143, 144, 146, 147, 148, 149, 5, 6, 7, 8, 9, 10, 11, 20, 21, 22, 23, 24, 58,
    59, 192, 193, 194, 195, 196, 197, 198, 182, 183, 184, 185, 186, 187, 188, 189, 190, 29, 38, 39,
    40, 41,
};
constexpr const char* kNonWorkerTourCountModels[] = {
    "Number of Tours NW",
};

constexpr int kTourBeforePickup[] = {
    0, 146, 147, 148, 149, 145, 5, 6, 7, 8, 9, 10, 11, 30, 31, 32, 33, 34, 35, 36, 37, 20, 21, 22,
    23, 24, 58, 59, 192, 193, 194, 195, 196, 197, 198, 182, 183, 184, 185, 186, 187, 188, 189, 190,
    29, 38,
};
constexpr const char* kTourBeforePickupModels[] = {
    "Non Worker's Decision to undertake independent tour before pickup",
};

constexpr int kTourAfterPickup[] = {
    0, 146, 147, 148, 149, 145, 152, 5, 6, 7, 8, 9, 10, 11, 30, 31, 32, 33, 34, 35, 36, 37, 20, 21,
    22, 23, 24, 58, 59, 192, 193, 194, 195, 196, 197, 198, 182, 183, 184, 185, 186, 187, 188, 189,
    190, 29,
};
constexpr const char* kTourAfterPickupModels[] = {
    "Non Worker's Decision to undertake independent tour after pickup",
};

constexpr int kNonWorkerTourMode[] = {
    0, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 145, 146, 147, 148, 149, 255, 256, 257,
    258, 259, 260, 161, 162, 163, 164, 5, 6, 7, 8, 9, 10, 11, 20, 21, 22, 23, 24, 58, 59, 192, 193,
    194, 195, 196, 197, 198, 182, 183, 184, 185, 186, 187, 188, 189, 190, 29, 38,
};
constexpr const char* kNonWorkerTourModeModels[] = {
    "Mode for Tour 1",
    "Mode for Tour 2",
    "Mode for Tour 3",
    "Mode for Tour 4",
};

constexpr int kNonWorkerTourStopCount[] = {
    0, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143, 144, 145, 146, 147,
    148, 149, 255, 256, 258, 259, 260, 161, 162, 163, 5, 6, 7, 8, 9, 10, 11, 20, 21, 22, 23, 24, 58,
    59, 192, 193, 194, 195, 196, 197, 198, 182, 183, 184, 185, 186, 187, 188, 189, 190, 29, 38, 39,
    40,
};
constexpr const char* kNonWorkerTourStopCountModels[] = {
    "Number of Stops in Tour 1",
    "Number of Stops in Tour 2",
    "Number of Stops in Tour 3",
    "Number of Stops in Tour 4",
};

constexpr int kNonWorkerHomeStay[] = {
    0, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143, 144, 145, 146, 147,
    148, 149, 255, 256, 257, 258, 259, 260, 161, 162, 163, 164, 5, 6, 7, 8, 9, 10, 11, 20, 21, 22,
    23, 24, 58, 59, 192, 193, 194, 195, 196, 197, 198, 182, 183, 184, 185, 186, 187, 188, 189, 190,
    29, 38, 39, 40, 41, 42, 43, 44, 45, 46,
};
constexpr const char* kNonWorkerHomeStayModels[] = {
    "Home Stay Duration before Tour 1",
    "Home Stay Duration before Tour 2",
    "Home Stay Duration before Tour 3",
    "Home Stay Duration before Tour 4",
};

constexpr int kNonWorkerStopActivityType[] = {
    0, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143, 144, 145, 146, 147,
    148, 149, 255, 256, 257, 258, 259, 260, 161, 162, 163, 164, 109, 110, 111, 112, 113, 120, 121,
    122, 123, 124, 125, 126, 127, 128, 129, 232, 233, 5, 6, 7, 8, 9, 10, 11, 20, 21, 22, 23, 24, 58,
    59, 192, 193, 194, 195, 196, 197, 198, 182, 183, 184, 185, 186, 187, 188, 189, 190, 29, 38, 39,
    40, 41,
};
constexpr const char* kNonWorkerStopActivityTypeModels[] = {
    "Tour 1 Stop Activity Type",
    "Tour 2 Stop Activity Type",
    "Tour 3 Stop Activity Type",
    "Tour 4 Stop Activity Type",
};

constexpr int kNonWorkerStopActivityDuration[] = {
    0, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143, 144, 145, 146, 147,
    148, 149, 255, 256, 257, 258, 259, 260, 161, 163, 164, 109, 110, 111, 112, 113, 114, 115, 116,
    117, 118, 119, 120, 121, 122, 123, 124, 125, 126, 127, 129, 232, 233, 5, 6, 7, 8, 9, 10, 11, 20,
    21, 22, 23, 24, 58, 59, 192, 193, 194, 195, 196, 197, 198, 182, 183, 184, 185, 186, 187, 188,
    189, 190, 29, 38, 39, 40, 41, 42, 43, 44,
};
constexpr const char* kNonWorkerStopActivityDurationModels[] = {
    "Tour 1 Stop Activity Duration",
    "Tour 2 Stop Activity Duration",
    "Tour 3 Stop Activity Duration",
    "Tour 4 Stop Activity Duration",
};

constexpr int kNonWorkerStopTravelTime[] = {
    0, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143, 144, 145, 146, 147,
    148, 149, 255, 256, 257, 258, 259, 260, 161, 162, 164, 109, 110, 111, 112, 113, 114, 115, 116,
    117, 118, 119, 120, 121, 122, 123, 124, 125, 126, 127, 128, 232, 233, 5, 6, 7, 8, 9, 10, 11, 20,
    21, 22, 23, 24, 58, 59, 192, 193, 194, 195, 196, 197, 198, 182, 183, 184, 185, 186, 187, 188,
    189, 190, 29, 38, 39, 40, 41, 42, 43, 44, 45,
};
constexpr const char* kNonWorkerStopTravelTimeModels[] = {
    "Tour 1 Stop Travel Time",
    "Tour 2 Stop Travel Time",
    "Tour 3 Stop Travel Time",
    "Tour 4 Stop Travel Time",
};

constexpr int kNonWorkerStopLocation[] = {
    165, 167, 168, 169, 170, 171, 172, 173, 174, 175, 176, 177, 178, 179, 180, 232, 233, 234, 235,
    236, 237, 238, 239, 240, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250, 251, 252, 253, 322,
    342, 343, 344, 345, 346, 347, 348, 349, 350, 351, 352, 354,
};
constexpr const char* kNonWorkerStopLocationModels[] = {
    "Tour 1 Stop Location (by Auto Mode)",
    "Tour 2 Stop Location (by Auto Mode)",
    "Tour 3 Stop Location (by Auto Mode)",
    "Tour 4 Stop Location (by Auto Mode)",
};

constexpr int kStopsAfterPickupOrDropoff[] = {
    0, 146, 147, 148, 149, 255, 256, 257, 258, 259, 260, 261, 140, 141, 142, 143, 144, 145, 5, 6, 7,
    8, 9, 10, 11, 30, 31, 32, 33, 34, 35, 36, 37, 20, 21, 22, 23, 24, 58, 59, 192, 193, 194, 195,
    196, 197, 198, 29, 38,
};
constexpr const char* kStopsAfterPickupOrDropoffModels[] = {
    "Number of Stops After Pickup or Dropoff",
};

constexpr int kSchoolToHome[] = {
    0, 1, 2, 3, 4, 158, 159, 160, 30, 31, 32, 33, 34, 35, 36, 37, 5, 6, 7, 8, 9, 10, 11, 182, 183,
    184, 185, 186, 187, 198,
};
constexpr const char* kSchoolToHomeModels[] = {
    "School to home commute time",
};

constexpr int kHomeToSchool[] = {
    0, 1, 3, 4, 158, 159, 160, 30, 31, 32, 33, 34, 35, 36, 37, 5, 6, 7, 8, 9, 10, 11, 182, 183, 184,
    185, 186, 187, 188, 198,
};
constexpr const char* kHomeToSchoolModels[] = {
    "Home to school commute time",
};

constexpr int kDiscretionaryMode[] = {
    0, 1, 2, 3, 4, 152, 155, 156, 157, 5, 6, 7, 8, 9, 10, 11, 182, 183, 184, 185, 186, 187, 188,
    189, 198,
};
constexpr const char* kDiscretionaryModeModels[] = {
    "Mode for discretionary tour",
};

constexpr int kDiscretionaryDeparture[] = {
    0, 1, 2, 3, 4, 152, 153, 154, 156, 157, 5, 6, 7, 8, 9, 10, 11, 182, 183, 184, 185, 186, 187,
    188, 189, 190, 20, 198,
};
constexpr const char* kDiscretionaryDepartureModels[] = {
    "Departure time from home for discretionary tour",
};

constexpr int kDiscretionaryDuration[] = {
    0, 1, 2, 3, 4, 152, 153, 154, 155, 157, 5, 6, 7, 8, 9, 10, 11, 182, 183, 184, 185, 186, 187,
    188, 189, 190, 20, 198,
};
constexpr const char* kDiscretionaryDurationModels[] = {
    "Activity duration at discretionary stop",
};

constexpr int kDiscretionaryTravelTime[] = {
    0, 1, 2, 3, 4, 152, 153, 154, 155, 156, 5, 6, 7, 8, 9, 10, 11, 182, 183, 184, 185, 186, 187,
    188, 189, 190, 20, 21, 198,
};
constexpr const char* kDiscretionaryTravelTimeModels[] = {
    "Travel time to discretionary stop",
};

constexpr int kDiscretionaryLocation[] = {
    165, 166, 170, 169, 172, 177, 234, 235,
};
constexpr const char* kDiscretionaryLocationModels[] = {
    "Location choice for discretionary stop",
};

constexpr int kNonWorkerJointDeparture[] = {
    0, 145, 146, 147, 20, 21, 22, 23, 24, 58, 59, 192, 193, 194, 195, 196, 197, 198, 5, 6, 7, 8, 9,
    10, 11, 182, 183, 184, 185, 186, 187, 188, 189, 190, 29, 38, 39, 40, 41, 42,
};
constexpr const char* kNonWorkerJointDepartureModels[] = {
    "Non Worker's Joint activity departure time from home",
};

constexpr int kNonWorkerJointDuration[] = {
    0, 145, 146, 147, 148, 20, 21, 22, 23, 24, 58, 59, 192, 193, 194, 195, 196, 197, 198, 5, 6, 7,
    8, 9, 10, 11, 182, 183, 184, 185, 186, 187, 188, 189, 190, 29, 38, 39, 40, 41,
};
constexpr const char* kNonWorkerJointDurationModels[] = {
    "Non Worker's Joint activity duration at stop",
};

constexpr int kJointTravelTime[] = {
    0, 12, 13, 14, 15, 16, 20, 21, 22, 23, 24, 58, 59, 192, 193, 194, 195, 196, 197, 198, 5, 6, 7,
    8, 9, 10, 11, 182, 183, 184, 185, 186, 187, 188, 189, 190, 29, 38, 39, 40, 41,
};
constexpr const char* kJointTravelTimeModels[] = {
    "Non Worker's Joint activity travel time to stop",
    "Worker's Joint activity travel time to stop",
};

constexpr int kJointLocation[] = {
    165, 170, 169, 244, 172, 177, 234, 235, 168,
};
constexpr const char* kJointLocationModels[] = {
    "Non Worker's Joint activity location of stop",
    "Worker's Joint activity location of stop",
};

constexpr int kWorkerJointDeparture[] = {
    0, 12, 13, 14, 15, 16, 20, 21, 22, 23, 24, 58, 59, 192, 193, 194, 195, 196, 197, 198, 5, 6, 7,
    8, 9, 10, 11, 182, 183, 184, 185, 186, 187, 188, 189, 190, 29, 38, 39,
};
constexpr const char* kWorkerJointDepartureModels[] = {
    "Worker's Joint activity departure time from home",
};

constexpr int kWorkerJointDuration[] = {
    0, 12, 13, 14, 15, 16, 75, 76, 77, 20, 21, 22, 23, 24, 58, 59, 192, 193, 194, 195, 196, 197,
    198, 5, 6, 7, 8, 9, 10, 11, 182, 183, 184, 185, 186, 187, 188, 189, 190, 29, 38,
};
constexpr const char* kWorkerJointDurationModels[] = {
    "Worker's Joint activity duration at stop",
};

constexpr SAdmissibleVariableList kLists[] = {
    {kHouseholdBasicsModels, kHouseholdBasics},
    {kAdultWorkAndSchoolModels, kAdultWorkAndSchool},
    {kWorkStartEndTimeModels, kWorkStartEndTime},
    {kModeToSchoolModels, kModeToSchool},
    {kModeFromSchoolModels, kModeFromSchool},
    {kDropOffAllocationModels, kDropOffAllocation},
    {kPickUpAllocationModels, kPickUpAllocation},
    {kChildDiscretionaryModels, kChildDiscretionary},
    {kHouseholdShoppingModels, kHouseholdShopping},
    {kShoppingAllocationModels, kShoppingAllocation},
    {kOtherBusinessGenerationModels, kOtherBusinessGeneration},
    {kSocialGenerationModels, kSocialGeneration},
    {kEatOutGenerationModels, kEatOutGeneration},
    {kServePaxGenerationModels, kServePaxGeneration},
    {kWorkHomeCommuteModeModels, kWorkHomeCommuteMode},
    {kCommuteStopCountModels, kCommuteStopCount},
    {kToursAfterWorkModels, kToursAfterWork},
    {kToursBasedAtWorkModels, kToursBasedAtWork},
    {kToursBeforeWorkModels, kToursBeforeWork},
    {kWorkerTourModeModels, kWorkerTourMode},
    {kWorkerTourStopCountModels, kWorkerTourStopCount},
    {kWorkerHomeStayModels, kWorkerHomeStay},
    {kWorkerStopActivityTypeModels, kWorkerStopActivityType},
    {kWorkerStopActivityDurationModels, kWorkerStopActivityDuration},
    {kWorkerStopTravelTimeModels, kWorkerStopTravelTime},
    {kWorkerStopLocationModels, kWorkerStopLocation},
    {kNonWorkerTourCountModels, kNonWorkerTourCount},
    {kTourBeforePickupModels, kTourBeforePickup},
    {kTourAfterPickupModels, kTourAfterPickup},
    {kNonWorkerTourModeModels, kNonWorkerTourMode},
    {kNonWorkerTourStopCountModels, kNonWorkerTourStopCount},
    {kNonWorkerHomeStayModels, kNonWorkerHomeStay},
    {kNonWorkerStopActivityTypeModels, kNonWorkerStopActivityType},
    {kNonWorkerStopActivityDurationModels, kNonWorkerStopActivityDuration},
    {kNonWorkerStopTravelTimeModels, kNonWorkerStopTravelTime},
    {kNonWorkerStopLocationModels, kNonWorkerStopLocation},
    {kStopsAfterPickupOrDropoffModels, kStopsAfterPickupOrDropoff},
    {kSchoolToHomeModels, kSchoolToHome},
    {kHomeToSchoolModels, kHomeToSchool},
    {kDiscretionaryModeModels, kDiscretionaryMode},
    {kDiscretionaryDepartureModels, kDiscretionaryDeparture},
    {kDiscretionaryDurationModels, kDiscretionaryDuration},
    {kDiscretionaryTravelTimeModels, kDiscretionaryTravelTime},
    {kDiscretionaryLocationModels, kDiscretionaryLocation},
    {kNonWorkerJointDepartureModels, kNonWorkerJointDeparture},
    {kNonWorkerJointDurationModels, kNonWorkerJointDuration},
    {kJointTravelTimeModels, kJointTravelTime},
    {kJointLocationModels, kJointLocation},
    {kWorkerJointDepartureModels, kWorkerJointDeparture},
    {kWorkerJointDurationModels, kWorkerJointDuration},
};

}  // namespace

std::span<const SAdmissibleVariableList> AdmissibleVariableLists() { return kLists; }
