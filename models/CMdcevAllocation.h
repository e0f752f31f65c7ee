#pragma once
// The allocation step of an MDCEV forecast whose satiation exponents are all 0:
// given each alternative's drawn value psi (exp of baseline utility plus a
// Gumbel draw), its translation factor gamma, a budget and optionally an
// outside good, it finds the alternatives that receive a positive amount, the
// budget's price lambda and the amounts. The vehicle fleet (with an outside
// good) and household activity generation (without one) share it.
//
// The result is exact in closed form: the alternatives are ranked by drawn
// value, largest first (equal values keep their input order), and one scan
// with a running lambda = (psi0 + sum psi x gamma) / (budget + sum gamma) over
// the best k + 1 finds the first k at which the next value does not exceed
// lambda. The held alternatives are a prefix of the ranking. Alternative i of
// the prefix receives gamma_i x (psi_i / lambda - 1); the outside good
// receives psi0 / lambda.
//
// Inputs that would make the scan meaningless are settled up front: a NaN
// drawn value counts as 0.0; an alternative whose value is not positive is
// never held; a budget that is not finite or not positive holds nothing; a
// lambda that comes out NaN stops the scan.

#include <optional>
#include <span>
#include <vector>

class CMdcevAllocation {
public:
    // Ranks the alternatives and allocates the budget. `values` and `gammas`
    // have one entry per alternative (the shorter length counts). Reuses the
    // object's buffers: no allocation once they have grown.
    void Allocate(std::span<const double> values, std::span<const double> gammas, double budget,
                  std::optional<double> outsideValue);

    // Number of held alternatives: the first HeldCount() entries of Order().
    int HeldCount() const { return m_held; }
    // Input positions of the alternatives ranked by value, largest first.
    const std::vector<int>& Order() const { return m_order; }
    // The budget's price at the stop of the scan; 0.0 when nothing could be
    // allocated (budget not finite or not positive, no alternatives).
    double Lambda() const { return m_lambda; }
    // Amount of the alternative at rank r (0 to HeldCount() - 1).
    double Amount(int rank) const { return m_amounts[rank]; }
    // Amount of the outside good; 0.0 without one.
    double OutsideAmount() const { return m_outsideAmount; }

private:
    std::vector<double> m_values;   // drawn values, NaN taken as 0.0
    std::vector<int> m_order;
    std::vector<double> m_amounts;  // by rank, held ranks only
    int m_held = 0;
    double m_lambda = 0.0;
    double m_outsideAmount = 0.0;
};
