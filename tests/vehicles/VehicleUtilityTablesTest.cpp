// The utility and log-sum tables of the vehicle alternatives against an
// independent transcription: each coefficient is set to 1 alone, with members
// and household values chosen so that every band and value has a count of its
// own, and the 54 results are compared with the terms written out below
// alternative by alternative. Also the scale cells of both scale tables and
// the guards of the scaled log-sum.

#include "vehicles/CDriverLogSum.h"
#include "vehicles/CVehicleUtilities.h"
#include "vehicles/DriverLogSumTable.h"
#include "vehicles/PrimaryDriverTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using Summary = CVehiclePersonSummary;

Summary Member(int age, bool column7, bool column4 = false) {
    Summary s;
    s.m_age = age;
    s.m_column7 = column7;
    s.m_column4 = column4;
    return s;
}

// Band counts: infant 65, young 2, older 4, adult 56, senior 16, adult
// without column 7 32, without column 7 96; one driver candidate.
std::vector<Summary> BandMembers() {
    std::vector<Summary> m;
    m.push_back(Member(5, true, true));
    for (int i = 0; i < 64; ++i) m.push_back(Member(0, false));
    for (int i = 0; i < 2; ++i) m.push_back(Member(10, true));
    for (int i = 0; i < 4; ++i) m.push_back(Member(15, true));
    for (int i = 0; i < 8; ++i) m.push_back(Member(65, true));
    for (int i = 0; i < 16; ++i) m.push_back(Member(66, true));
    for (int i = 0; i < 32; ++i) m.push_back(Member(16, false));
    return m;
}
constexpr double Inf = 65, Young = 2, Older = 4, Adult = 56, Senior = 16, AdultNo7 = 32, No7 = 96;
// Household values: column 7, mean commute, workers, all 10, all 11, all 12, any 58, any 57/56.
constexpr double H7 = 1000, Commute = 3000, Workers = 5000, All10 = 7000, All11 = 11000, All12 = 13000,
                 Any58 = 17000, Any57 = 19000;

// Baseline utility without log-sum, written from the tables.
double Expected(int g, int t, const double* b) {
    double v = b[t] + (g > 0 ? b[8 + g] : 0.0);
    switch (t) {
    case 0: v += b[71] * H7 + b[61] * All11 + b[55] * Any57 + b[23] * Inf + b[36] * Older + b[14] * AdultNo7; break;
    case 1: v += b[49] * Any58 + b[68] * All10 + b[24] * Inf + b[15] * AdultNo7 + b[30] * Adult + b[41] * Senior +
                 b[39] * No7; break;
    case 2: v += b[72] * H7 + b[43] * Commute + b[50] * Any58 + b[31] * Young + b[15] * AdultNo7; break;
    case 3: v += b[73] * H7 + b[62] * All11 + b[46] * Workers + b[56] * Any57 + b[32] * Young + b[17] * AdultNo7 +
                 b[42] * Senior; break;
    case 4: v += b[74] * H7 + b[25] * Inf + b[33] * Young + b[18] * AdultNo7; break;
    case 5: v += b[75] * H7 + b[47] * Workers + b[19] * AdultNo7 + b[40] * No7; break;
    case 6: v += b[76] * H7 + b[51] * Any58 + b[65] * All12 + b[69] * All10 + b[57] * Any57 + b[26] * Inf +
                 b[34] * Young + b[37] * Older + b[20] * AdultNo7; break;
    case 7: v += b[52] * Any58 + b[48] * Workers + b[27] * Inf + b[35] * Young + b[38] * Older + b[21] * AdultNo7; break;
    case 8: v += b[77] * H7 + b[53] * Any58 + b[44] * Commute + b[58] * Any57 + b[63] * All11 + b[22] * AdultNo7; break;
    }
    switch (g) {
    case 1: v += b[45] * Commute + (t >= 1 ? b[59] * Any57 : 0.0) + b[28] * Inf; break;
    case 2: v += b[64] * All11 + b[67] * All12 + b[78] * H7; break;
    case 3: v += b[60] * Any57 + b[79] * H7; break;
    case 4: v += b[70] * All10 + b[80] * H7; break;
    case 5: v += b[54] * Any58 + b[81] * H7 + (t <= 3 ? b[29] * Inf : 0.0) + (t == 5 ? b[25] * Inf : 0.0); break;
    }
    if (t == 2 && g >= 2) v += b[59] * Any57;
    return v;
}

// A candidate's driver utility, written from the tables.
double ExpectedDriver(int g, int t, const Summary& m, const double* d) {
    const bool w = m.m_worker, c7 = m.m_column7, c10 = m.m_column10, c57 = m.m_column57;
    const bool a1 = m.m_age >= 16 && m.m_age <= 25, a2 = m.m_age >= 26 && m.m_age <= 40,
               a3 = m.m_age >= 41 && m.m_age <= 65, sc = m.m_commuteLos && *m.m_commuteLos <= 10.0;
    const double typeWorker[9] = {d[1], d[1], d[4], d[6], d[6], 0, d[30], d[30], 0};
    const double typeCol7[9] = {d[2], d[2], d[5], d[7], d[7], d[7], d[9], 0, d[10]};
    const double typeA1[9] = {0, 0, d[13], d[13], 0, 0, d[14], d[15], d[16] + d[17]};
    const double typeA2[9] = {d[18], d[18], d[19], d[19], 0, 0, 0, d[20], d[21]};
    const double typeA3[9] = {d[22], d[22], d[23], d[23], 0, d[24], d[23], 0, 0};
    double u = w * typeWorker[t] + c7 * typeCol7[t] + a1 * typeA1[t] + a2 * typeA2[t] + a3 * typeA3[t];
    if (t == 0) u += c10 * d[3];
    if (t == 5) u += sc * d[27];
    if (g <= 1 || (g == 2 && t == 1)) u += w * d[26];
    u += c7 * (g <= 1 ? d[28] : g == 2 ? d[29] : d[11]);
    if (g == 0 && t != 8) u += a1 * d[17];
    if (g <= 2) u += c57 * (t == 6 ? d[25] : d[27]);
    if (g == 3) u += c10 * (t == 4 || t == 6 ? d[11] : t == 5 ? d[12] + d[11] : d[12]);
    if ((g == 4 || g == 5) && t == 5) u += c10 * d[12];
    return u;
}

// Scale tables as written: 0 is 1.0, else the position in d.
constexpr int kLogSumScale[6][9] = {{0, 0, 32, 31, 31, 33, 32, 31, 32}, {0, 31, 32, 31, 33, 33, 33, 33, 31},
                                    {31, 31, 31, 31, 33, 33, 33, 31, 33}, {32, 31, 32, 32, 32, 33, 33, 32, 32},
                                    {31, 33, 32, 33, 31, 31, 33, 31, 33}, {33, 32, 31, 33, 33, 31, 31, 31, 33}};
// Primary-driver scale entry by type (rows 1-9) and group (columns 1-6).
constexpr int kDriverScale[9][6] = {{2, 2, 0, 1, 1, 2}, {2, 0, 2, 0, 2, 2}, {1, 1, 0, 1, 1, 0},
                                    {0, 0, 0, 1, 2, 2}, {0, 2, 2, 1, 0, 2}, {2, 2, 2, 2, 0, 0},
                                    {1, 2, 2, 2, 2, 0}, {0, 2, 0, 1, 0, 0}, {1, 0, 2, 1, 2, 2}};

}  // namespace

TEST(VehicleUtilityTables, EachCoefficientStandsWhereTheTablesPutIt) {
    const std::vector<Summary> members = BandMembers();
    const CVehicleUtilities::HouseholdValues household = {1.0, H7, Commute, Workers, All10, All11, All12, Any58, Any57};
    const std::vector<double> d(34, 0.0);  // one candidate, utility 0: every log-sum term is 0
    CVehicleUtilities utilities;
    std::array<double, 54> out{};
    for (int j = 0; j < 82; ++j) {
        std::vector<double> b(82, 0.0);
        b[j] = 1.0;
        utilities.Compute(b, d, household, members, out);
        for (int k = 0; k < 54; ++k)
            ASSERT_EQ(out[k], Expected(k / 9, k % 9, b.data())) << "b[" << j << "], alternative " << k;
    }
}

TEST(VehicleUtilityTables, EachDriverCoefficientStandsWhereTheTablesPutIt) {
    // Three candidates meeting every flag, one in each age band, and a member
    // without column 4 who would meet them all too.
    std::vector<Summary> members;
    for (int age : {20, 30, 50, 35}) {
        Summary m = Member(age, true, age != 35);
        m.m_worker = m.m_column10 = m.m_column57 = true;
        m.m_commuteLos = 10.0;
        members.push_back(m);
    }
    CDriverLogSum logSum;
    std::array<double, 54> out{};
    for (int j = 0; j < 31; ++j) {
        std::vector<double> d(34, 1.0);
        std::fill(d.begin(), d.begin() + 31, 0.0);
        d[j] = 1.0;
        logSum.Compute(d, members, out);
        for (int k = 0; k < 54; ++k) {
            double sum = 0.0;
            for (int i = 0; i < 3; ++i) sum += std::exp(ExpectedDriver(k / 9, k % 9, members[i], d.data()));
            ASSERT_DOUBLE_EQ(out[k], std::log(sum)) << "d[" << j << "], alternative " << k;
        }
    }
}

TEST(VehicleUtilityTables, ScaleCellsOfBothTables) {
    // Two candidates meeting nothing: the term is the scale times ln 2.
    const std::vector<Summary> members = {Member(70, false, true), Member(70, false, true)};
    std::vector<double> d(34, 0.0);
    d[31] = 2.0, d[32] = 3.0, d[33] = 5.0;
    std::array<double, 54> out{};
    CDriverLogSum().Compute(d, members, out);
    int differing = 0;
    for (int g = 0; g < 6; ++g) {
        for (int t = 0; t < 9; ++t) {
            const int cell = kLogSumScale[g][t];
            EXPECT_DOUBLE_EQ(out[9 * g + t], (cell == 0 ? 1.0 : d[cell]) * std::log(2.0)) << g << "," << t;
            EXPECT_EQ(PrimaryDriverScaleEntry(t + 1, g + 1), kDriverScale[t][g]) << g << "," << t;
            if (cell == 0 || cell - 31 != kDriverScale[t][g]) ++differing;
        }
    }
    // The two tables share their scale coefficients and differ in six cells.
    EXPECT_EQ(differing, 6);
    EXPECT_EQ(PrimaryDriverScaleEntry(10, 1), 2);
    EXPECT_EQ(PrimaryDriverScaleEntry(1, 0), 2);
}

TEST(DriverLogSum, GuardsOfTheScaledLogSum) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> none;
    EXPECT_EQ(CDriverLogSum::ScaledLogSum(none, 1.0), -inf);
    EXPECT_EQ(CDriverLogSum::ScaledLogSum(none, 0.0), -inf);
    EXPECT_EQ(CDriverLogSum::ScaledLogSum(std::vector<double>{0.5, 2.0, -1.0}, 0.0), 2.0);
    // Ordinary sums keep the plain formula to the bit.
    const std::vector<double> ordinary = {0.25, -1.5, 3.0};
    EXPECT_EQ(CDriverLogSum::ScaledLogSum(ordinary, 0.7),
              0.7 * std::log(std::exp(0.25 / 0.7) + std::exp(-1.5 / 0.7) + std::exp(3.0 / 0.7)));
    // Overflow and underflow are taken relative to the largest utility.
    EXPECT_NEAR(CDriverLogSum::ScaledLogSum(std::vector<double>{800.0, 800.0}, 1.0), 800.0 + std::log(2.0), 1e-9);
    EXPECT_NEAR(CDriverLogSum::ScaledLogSum(std::vector<double>{-900.0, -900.0}, 0.5), -900.0 + 0.5 * std::log(2.0),
                1e-9);
    // No candidate: minus infinity in every alternative, whatever the scales.
    std::array<double, 54> out{};
    CDriverLogSum().Compute(std::vector<double>(34, 0.0), std::vector<Summary>{Member(30, true, false)}, out);
    for (double v : out) EXPECT_EQ(v, -inf);
}
