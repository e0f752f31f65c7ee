#include "vehicles/PrimaryDriverTables.h"

#include <algorithm>

namespace {

using P = DriverPersonCondition;

// Rows type 1 to 9, columns group 1 to 6.
constexpr int kScaleEntries[9][6] = {
    {2, 2, 0, 1, 1, 2},
    {2, 0, 2, 0, 2, 2},
    {1, 1, 0, 1, 1, 0},
    {0, 0, 0, 1, 2, 2},
    {0, 2, 2, 1, 0, 2},
    {2, 2, 2, 2, 0, 0},
    {1, 2, 2, 2, 2, 0},
    {0, 2, 0, 1, 0, 0},
    {1, 0, 2, 1, 2, 2},
};

// In ascending order of ID (FindPrimaryDriverVariable searches by halving).
constexpr PrimaryDriverVariable kVariables[] = {
    {30701, P::Over65, {17, -1}},
    {30702, P::Over65, {18, -1}},
    {30703, P::Over65, {19, -1}},
    {30704, P::Over65, {23, -1}},
    {30705, P::Over65, {24, -1}},
    {30706, P::Over65, {25, -1}},
    {30741, P::Column2, {17, 18, -1}},
    {30742, P::Column2, {19, -1}},
    {30743, P::Column2, {20, -1}},
    {30744, P::Column2, {23, 24, -1}},
    {30745, P::Column58, {22, -1}},
    {30746, P::Column58, {23, -1}},
    {30747, P::Column24, {19, -1}},
    {30748, P::Column24, {20, -1}},
    {30749, P::Column24, {21, -1}},
    {30750, P::Column24, {22, -1}},
    {30751, P::Column24, {23, -1}},
    {30752, P::NoColumn13, {17, 18, -1}},
    {30753, P::NoColumn13, {19, -1}},
    {30754, P::NoColumn13, {20, 21, -1}},
    {30755, P::NoColumn13, {25, -1}},
    {30756, P::Column2, {26, 27, -1}},
    {30757, P::Column2, {27, -1}},
    {30758, P::Column2, {28, -1}},
    {30759, P::Column2, {29, -1}},
    {30760, P::NoColumn13, {26, 27, -1}},
    {30762, P::NoColumn13, {28, -1}},
    {30763, P::NoColumn13, {29, -1}},
    {30764, P::Column13, {31, -1}},
    {30765, P::Age15To26, {19, 20, -1}},
    {30766, P::Age15To26, {23, -1}},
    {30767, P::Age15To26, {24, -1}},
    {30768, P::Age15To26, {25, -1}},
    {30769, P::Age15To26, {26, -1}},
    {30770, P::Age25To41, {17, 18, -1}},
    {30771, P::Age25To41, {19, 20, -1}},
    {30772, P::Age25To41, {24, -1}},
    {30773, P::Age25To41, {25, -1}},
    {30774, P::Age41To66, {17, 18, -1}},
    {30775, P::Age41To66, {19, 20, -1}},
    {30776, P::Age41To66, {22, -1}},
    {30777, P::Age41To66, {23, -1}},
    {30778, P::NoColumn13, {24, -1}},
    {30779, P::Column10, {17, -1}},
    {30780, P::Column10, {26, 27, 28, 29}},
    {30781, P::Column57, {26, 27, 28, -1}},
    {30782, P::Column2, {20, 21, -1}},
    {30783, P::NotShortCommute, {19, 20, -1}},
    {30784, P::NotShortCommute, {26, 27, -1}},
};

}  // namespace

int PrimaryDriverScaleEntry(int type, int group) {
    if (type < 1 || type > 9 || group < 1 || group > 6) return 2;
    return kScaleEntries[type - 1][group - 1];
}

std::span<const PrimaryDriverVariable> PrimaryDriverVariables() { return kVariables; }

const PrimaryDriverVariable* FindPrimaryDriverVariable(int id) {
    const auto* end = std::end(kVariables);
    const auto* row = std::lower_bound(std::begin(kVariables), end, id,
                                       [](const PrimaryDriverVariable& v, int key) { return v.id < key; });
    return row != end && row->id == id ? row : nullptr;
}
