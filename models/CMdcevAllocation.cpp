#include "models/CMdcevAllocation.h"

#include <algorithm>
#include <cmath>
#include <numeric>

void CMdcevAllocation::Allocate(std::span<const double> values, std::span<const double> gammas, double budget,
                                std::optional<double> outsideValue)
{
    const std::size_t n = std::min(values.size(), gammas.size());
    m_values.assign(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(n));
    for (double& v : m_values) {
        if (std::isnan(v)) v = 0.0;
    }
    m_order.resize(n);
    std::iota(m_order.begin(), m_order.end(), 0);
    // Largest value first; the input position breaks ties, which makes the
    // order that of a stable sort without its temporary buffer.
    std::sort(m_order.begin(), m_order.end(), [this](int a, int b) {
        if (m_values[a] != m_values[b]) return m_values[a] > m_values[b];
        return a < b;
    });

    m_held = 0;
    m_lambda = 0.0;
    m_outsideAmount = 0.0;
    m_amounts.clear();
    if (n == 0 || !std::isfinite(budget) || budget <= 0.0) return;

    const double psi0 = outsideValue.value_or(0.0);
    const double lambda0 = psi0 / budget;
    m_lambda = lambda0;
    double numerator = psi0;
    double denominator = budget;
    for (std::size_t k = 0; k < n; ++k) {
        const double psi = m_values[m_order[k]];
        // Written so that a NaN lambda stops the scan: the alternative is taken
        // only when its value is positive and exceeds the price without it.
        if (!(psi > 0.0) || !(psi >= m_lambda) || (outsideValue && !(psi >= lambda0))) break;
        const double gamma = gammas[m_order[k]];
        numerator += psi * gamma;
        denominator += gamma;
        const double lambda = numerator / denominator;
        if (std::isnan(lambda)) break;
        m_lambda = lambda;
        m_held = static_cast<int>(k) + 1;
        if (k + 1 < n && !(lambda <= m_values[m_order[k + 1]])) break;
    }

    m_amounts.resize(static_cast<std::size_t>(m_held));
    for (int r = 0; r < m_held; ++r) {
        const int i = m_order[r];
        m_amounts[r] = gammas[i] * (m_values[i] / m_lambda - 1.0);
    }
    if (outsideValue) m_outsideAmount = psi0 / m_lambda;
}
