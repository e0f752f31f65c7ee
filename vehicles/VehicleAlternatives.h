#pragma once
// The 54 alternatives of the vehicle fleet: vehicle type 1 to 9 (type index t
// = 0 to 8) crossed with vehicle group 1 to 6 (group index g = 0 to 5);
// alternative number k = 9 g + t. The utility and log-sum tables select the
// alternatives a term belongs to by a mask of type indices and a mask of
// group indices.

#include <cstdint>

namespace VehicleAlternatives {

inline constexpr int kTypeCount = 9;
inline constexpr int kGroupCount = 6;
inline constexpr int kCount = kTypeCount * kGroupCount;

inline constexpr int Number(int typeIndex, int groupIndex) { return kTypeCount * groupIndex + typeIndex; }
inline constexpr int TypeIndex(int k) { return k % kTypeCount; }
inline constexpr int GroupIndex(int k) { return k / kTypeCount; }

// Bit i of a type mask stands for type index i, bit j of a group mask for group index j.
using Mask = std::uint16_t;
inline constexpr Mask kAllTypes = (1u << kTypeCount) - 1;
inline constexpr Mask kAllGroups = (1u << kGroupCount) - 1;

// The mask of the listed indices.
template <class... I>
constexpr Mask Only(I... indices) {
    return static_cast<Mask>(((1u << indices) | ...));
}
// The mask of the indices first to last.
constexpr Mask Range(int first, int last) {
    Mask mask = 0;
    for (int i = first; i <= last; ++i) mask = static_cast<Mask>(mask | (1u << i));
    return mask;
}
constexpr bool Contains(Mask mask, int index) { return (mask >> index) & 1u; }

}  // namespace VehicleAlternatives
