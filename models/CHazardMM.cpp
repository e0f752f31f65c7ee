#include "models/CHazardMM.h"

#include "modelsystem/CEditorRegistry.h"

#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <vector>

namespace {

const char* const kVarianceRejected =
    "the heterogeneity variance of a hazard model must be a number above 0; the model was not changed.";
const char* const kIntervalsRejected =
    "a hazard model needs at least one interval start (interval count 2 or more) and a start and a "
    "parameter for each of its intervals; the model was not changed.";

}  // namespace

CHazardMM::CHazardMM(CModelSystem* owner, const std::string& name) {
    m_pOwner = owner;
    m_name = name;
}

void CHazardMM::Edit() {
    Parameters edited{m_terms, m_fVariance, m_nIntervalCount, m_intervalStarts, m_intervalParameters};
    if (!CEditorRegistry::Run(*this, edited)) return;
    SetParameters(edited);
}

double CHazardMM::Predict(CPattern* pattern) {
    EvaluateTerms(m_terms, pattern);
    return Draw();
}

double CHazardMM::Draw() {
    const int n = m_nIntervalCount;
    if (!AreValidIntervals(n, m_intervalStarts, m_intervalParameters))
        throw std::logic_error("hazard model \"" + m_name + "\" has no interval to place a duration in");

    const double v = m_terms.Utility();
    const double e = std::exp(-v);
    const double s2 = static_cast<double>(m_fVariance);

    // Survival at the end of each interval: S[0] = 1, S[n] = 0.
    std::vector<double> survival(static_cast<std::size_t>(n) + 1, 0.0);
    survival[0] = 1.0;
    bool finite = true;
    for (int k = 1; k <= n - 1; ++k) {
        survival[k] = std::pow(s2 * m_intervalParameters[k - 1] * e + 1.0, -(1.0 / s2));
        if (!std::isfinite(survival[k])) finite = false;
    }

    const double u1 = DrawUniform();

    // The first interval j whose distribution function brackets the uniform;
    // with probabilities that are not numbers the last interval takes the draw.
    int j = n;
    if (finite) {
        for (int k = 1; k <= n; ++k) {
            const double below = 1.0 - survival[k - 1];
            const double above = 1.0 - survival[k];
            if (below < u1 && u1 <= above) {
                j = k;
                break;
            }
        }
    }

    double lower = 0.0;
    double upper = 0.0;
    if (j <= n - 2) {
        lower = m_intervalStarts[j - 1];
        upper = m_intervalStarts[j];
    } else {
        lower = m_intervalStarts[n - 2];
        upper = 1.1 * m_intervalStarts[n - 2];
    }

    const double u2 = DrawUniform();
    return (upper - lower) * u2 + lower;
}

void CHazardMM::CopyParameters(const CHazardMM& other) {
    m_terms = other.m_terms;
    m_fVariance = other.m_fVariance;
    m_nIntervalCount = other.m_nIntervalCount;
    m_intervalParameters = other.m_intervalParameters;
    m_intervalStarts = other.m_intervalStarts;
}

bool CHazardMM::IsValidVariance(float variance) { return std::isfinite(variance) && variance > 0.0f; }

bool CHazardMM::AreValidIntervals(int intervalCount, const std::vector<double>& starts,
                                  const std::vector<double>& parameters) {
    if (intervalCount < 2) return false;
    const std::size_t needed = static_cast<std::size_t>(intervalCount) - 1;
    return starts.size() >= needed && parameters.size() >= needed;
}

bool CHazardMM::SetVariance(float variance) {
    if (!IsValidVariance(variance)) {
        ReportRejected(kVarianceRejected);
        return false;
    }
    m_fVariance = variance;
    return true;
}

bool CHazardMM::SetIntervals(int intervalCount, const std::vector<double>& starts,
                             const std::vector<double>& parameters) {
    if (!AreValidIntervals(intervalCount, starts, parameters)) {
        ReportRejected(kIntervalsRejected);
        return false;
    }
    m_nIntervalCount = intervalCount;
    m_intervalStarts = starts;
    m_intervalParameters = parameters;
    return true;
}

bool CHazardMM::SetParameters(const Parameters& parameters) {
    if (!IsValidVariance(parameters.variance)) {
        ReportRejected(kVarianceRejected);
        return false;
    }
    if (!AreValidIntervals(parameters.intervalCount, parameters.intervalStarts, parameters.intervalParameters)) {
        ReportRejected(kIntervalsRejected);
        return false;
    }
    m_terms = parameters.terms;
    m_fVariance = parameters.variance;
    m_nIntervalCount = parameters.intervalCount;
    m_intervalParameters = parameters.intervalParameters;
    m_intervalStarts = parameters.intervalStarts;
    return true;
}
