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

// Spending at price lambda: the outside good's share and that of every
// alternative whose value exceeds lambda. It falls as lambda grows; the price
// that spends exactly the budget is found by halving an interval.
double BisectLambda(const std::vector<double>& psi, const std::vector<double>& gamma, double psi0, double budget) {
    const auto spending = [&](double lambda) {
        double total = psi0 / lambda;
        for (std::size_t i = 0; i < psi.size(); ++i)
            if (psi[i] > lambda) total += gamma[i] * (psi[i] / lambda - 1.0);
        return total;
    };
    double low = 1e-300, high = std::max(psi0 / budget, *std::max_element(psi.begin(), psi.end())) * 2.0 + 1.0;
    for (int i = 0; i < 400; ++i) {
        const double mid = 0.5 * (low + high);
        (spending(mid) > budget ? low : high) = mid;
    }
    return 0.5 * (low + high);
}

}  // namespace

TEST(MdcevAllocation, MatchesBisectionAndALargerBudgetHoldsASuperset) {
    std::mt19937_64 rng(20261207);
    std::extreme_value_distribution<double> gumbel;
    std::normal_distribution<double> normal;
    CMdcevAllocation allocation, larger;
    for (int trial = 0; trial < 2000; ++trial) {
        const bool withOutside = trial % 2 == 0;
        std::vector<double> psi, gamma;
        for (int i = 1 + static_cast<int>(rng() % 60); i > 0; --i) {
            psi.push_back(std::exp(normal(rng) + gumbel(rng)));
            gamma.push_back(std::exp(normal(rng)));
        }
        const double psi0 = withOutside ? std::exp(gumbel(rng)) : 0.0;
        const double budget = std::exp(2.0 * normal(rng));
        const std::optional<double> outside = withOutside ? std::optional<double>(psi0) : std::nullopt;
        allocation.Allocate(psi, gamma, budget, outside);
        const double lambda = BisectLambda(psi, gamma, psi0, budget);
        ASSERT_NEAR(allocation.Lambda(), lambda, 1e-9 * lambda) << "trial " << trial;

        std::vector<char> held(psi.size(), 0);
        double spent = allocation.OutsideAmount();
        for (int r = 0; r < allocation.HeldCount(); ++r) {
            held[allocation.Order()[r]] = 1;
            ASSERT_GT(allocation.Amount(r), 0.0);
            spent += allocation.Amount(r);
        }
        for (std::size_t i = 0; i < psi.size(); ++i) ASSERT_EQ(held[i] != 0, psi[i] > lambda) << "trial " << trial;
        ASSERT_NEAR(spent, budget, 1e-9 * budget);

        // The ranking does not depend on the budget: the held sets are prefixes of one order.
        larger.Allocate(psi, gamma, budget * 3.0, outside);
        ASSERT_GE(larger.HeldCount(), allocation.HeldCount());
        ASSERT_EQ(larger.Order(), allocation.Order());
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
