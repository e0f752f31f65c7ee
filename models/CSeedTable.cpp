#include "models/CSeedTable.h"

namespace {

using U64 = std::uint64_t;
using Matrix = std::array<std::array<U64, 3>, 3>;
using Vector = std::array<U64, 3>;

constexpr U64 kM1 = CSeedTable::kModulus1;
constexpr U64 kM2 = CSeedTable::kModulus2;

// Both moduli are below 2^32, so the product of two reduced numbers fits in
// 64 bits, and so does the sum of two reduced numbers.
constexpr U64 MulMod(U64 a, U64 b, U64 m) { return (a * b) % m; }
constexpr U64 AddMod(U64 a, U64 b, U64 m) { return (a + b) % m; }

constexpr Matrix MatMul(const Matrix& a, const Matrix& b, U64 m) {
    Matrix r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            U64 sum = 0;
            for (int k = 0; k < 3; ++k) sum = AddMod(sum, MulMod(a[i][k], b[k][j], m), m);
            r[i][j] = sum;
        }
    return r;
}

constexpr Vector MatVec(const Matrix& a, const Vector& v, U64 m) {
    Vector r{};
    for (int i = 0; i < 3; ++i) {
        U64 sum = 0;
        for (int k = 0; k < 3; ++k) sum = AddMod(sum, MulMod(a[i][k], v[k], m), m);
        r[i] = sum;
    }
    return r;
}

// a^(2^e) mod m by e squarings.
constexpr Matrix PowerOfTwo(Matrix a, int e, U64 m) {
    for (int i = 0; i < e; ++i) a = MatMul(a, a, m);
    return a;
}

// One step of each component on the state vector (x[n-3], x[n-2], x[n-1]):
// x[n] = 1403580 x[n-2] - 810728 x[n-3] mod m1 and
// x[n] = 527612 x[n-1] - 1370589 x[n-3] mod m2.
constexpr Matrix kStep1 = {{{0, 1, 0}, {0, 0, 1}, {kM1 - 810728, 1403580, 0}}};
constexpr Matrix kStep2 = {{{0, 1, 0}, {0, 0, 1}, {kM2 - 1370589, 0, 527612}}};

constexpr Matrix kJump1 = PowerOfTwo(kStep1, 127, kM1);
constexpr Matrix kJump2 = PowerOfTwo(kStep2, 127, kM2);

constexpr std::array<CSeedTable::State, CSeedTable::kSize> BuildTable() {
    std::array<CSeedTable::State, CSeedTable::kSize> table{};
    Vector first = {12345, 12345, 12345};
    Vector second = {12345, 12345, 12345};
    for (int k = 0; k < CSeedTable::kSize; ++k) {
        table[k] = {static_cast<double>(first[0]),  static_cast<double>(first[1]),
                    static_cast<double>(first[2]),  static_cast<double>(second[0]),
                    static_cast<double>(second[1]), static_cast<double>(second[2])};
        first = MatVec(kJump1, first, kM1);
        second = MatVec(kJump2, second, kM2);
    }
    return table;
}

constexpr std::array<CSeedTable::State, CSeedTable::kSize> kTable = BuildTable();

}  // namespace

const std::array<CSeedTable::State, CSeedTable::kSize>& CSeedTable::Table() { return kTable; }
