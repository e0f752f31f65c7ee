// The MDCEV allocation against an independent solution of its budget equation
// by bisection, the superset property of a larger budget, and the inputs that
// must hold nothing.

#include "models/CMdcevAllocation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <vector>

namespace {

// Spending at price lambda: what the outside good and every alternative whose
// value exceeds lambda take. It falls as lambda grows; the price that spends
// exactly the budget is found by halving an interval.
double Spending(const std::vector<double>& psi, const std::vector<double>& gamma, double psi0, double lambda) {
    double total = psi0 / lambda;
    for (std::size_t i = 0; i < psi.size(); ++i) {
        if (psi[i] > lambda) total += gamma[i] * (psi[i] / lambda - 1.0);
    }
    return total;
}

double BisectLambda(const std::vector<double>& psi, const std::vector<double>& gamma, double psi0, double budget) {
    double low = 1e-300;
    double high = std::max(psi0 / budget, *std::max_element(psi.begin(), psi.end())) * 2.0 + 1.0;
    for (int i = 0; i < 400; ++i) {
        const double mid = 0.5 * (low + high);
        (Spending(psi, gamma, psi0, mid) > budget ? low : high) = mid;
    }
    return 0.5 * (low + high);
}

struct RandomCase {
    std::vector<double> psi, gamma;
    double psi0 = 0.0, budget = 0.0;
};

RandomCase MakeCase(std::mt19937_64& rng, bool withOutside) {
    std::uniform_int_distribution<int> size(1, 60);
    std::extreme_value_distribution<double> gumbel;
    std::normal_distribution<double> normal;
    RandomCase c;
    const int n = size(rng);
    for (int i = 0; i < n; ++i) {
        c.psi.push_back(std::exp(normal(rng) + gumbel(rng)));
        c.gamma.push_back(std::exp(normal(rng)));
    }
    c.psi0 = withOutside ? std::exp(gumbel(rng)) : 0.0;
    c.budget = std::exp(2.0 * normal(rng));
    return c;
}

}  // namespace

TEST(MdcevAllocation, HeldSetAndLambdaMatchBisection) {
    std::mt19937_64 rng(20261207);
    CMdcevAllocation allocation;
    for (int trial = 0; trial < 2000; ++trial) {
        const bool withOutside = trial % 2 == 0;
        const RandomCase c = MakeCase(rng, withOutside);
        allocation.Allocate(c.psi, c.gamma, c.budget,
                            withOutside ? std::optional<double>(c.psi0) : std::nullopt);
        const double lambda = BisectLambda(c.psi, c.gamma, c.psi0, c.budget);
        ASSERT_NEAR(allocation.Lambda(), lambda, 1e-9 * lambda) << "trial " << trial;

        std::vector<char> held(c.psi.size(), 0);
        for (int r = 0; r < allocation.HeldCount(); ++r) held[allocation.Order()[r]] = 1;
        double spent = allocation.OutsideAmount();
        for (std::size_t i = 0; i < c.psi.size(); ++i) {
            ASSERT_EQ(held[i] != 0, c.psi[i] > lambda) << "trial " << trial << " alternative " << i;
        }
        for (int r = 0; r < allocation.HeldCount(); ++r) {
            ASSERT_GT(allocation.Amount(r), 0.0);
            spent += allocation.Amount(r);
        }
        if (allocation.HeldCount() > 0 || withOutside) {
            ASSERT_NEAR(spent, c.budget, 1e-9 * c.budget);
        }
    }
}

TEST(MdcevAllocation, LargerBudgetHoldsASuperset) {
    std::mt19937_64 rng(7);
    CMdcevAllocation small, large;
    for (int trial = 0; trial < 500; ++trial) {
        const RandomCase c = MakeCase(rng, true);
        small.Allocate(c.psi, c.gamma, c.budget, c.psi0);
        large.Allocate(c.psi, c.gamma, c.budget * 3.0, c.psi0);
        ASSERT_GE(large.HeldCount(), small.HeldCount());
        // The ranking does not depend on the budget, so the held sets are prefixes
        // of one order.
        ASSERT_EQ(small.Order(), large.Order());
    }
}

TEST(MdcevAllocation, RankingIsStableAndDegenerateInputsHoldNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> gamma(5, 1.0);
    CMdcevAllocation allocation;

    // Equal values keep input order; NaN ranks as 0.0 and is never held.
    allocation.Allocate(std::vector<double>{2.0, nan, 5.0, 2.0, 0.0}, gamma, 100.0, std::nullopt);
    EXPECT_EQ(allocation.Order(), (std::vector<int>{2, 0, 3, 1, 4}));
    EXPECT_EQ(allocation.HeldCount(), 3);

    for (double budget : {0.0, -1.0, nan, inf}) {
        allocation.Allocate(std::vector<double>{2.0, 3.0, 5.0, 1.0, 4.0}, gamma, budget, 1.0);
        EXPECT_EQ(allocation.HeldCount(), 0) << budget;
    }
    // Only zero values (every utility minus infinity): nothing, with or without
    // an outside good, even when the outside good's value is 0.0 as well.
    for (std::optional<double> psi0 : {std::optional<double>(), std::optional<double>(0.0)}) {
        allocation.Allocate(std::vector<double>(5, 0.0), gamma, 10.0, psi0);
        EXPECT_EQ(allocation.HeldCount(), 0);
    }
    // An outside good priced above every value keeps the whole budget.
    allocation.Allocate(std::vector<double>{2.0, 3.0}, std::vector<double>{1.0, 1.0}, 1.0, 10.0);
    EXPECT_EQ(allocation.HeldCount(), 0);
    EXPECT_DOUBLE_EQ(allocation.OutsideAmount(), 1.0);
    // A NaN translation factor makes lambda NaN: the scan stops, it never holds all.
    allocation.Allocate(std::vector<double>{5.0, 4.0, 3.0}, std::vector<double>{nan, 1.0, 1.0}, 1.0, 0.5);
    EXPECT_EQ(allocation.HeldCount(), 0);
}
