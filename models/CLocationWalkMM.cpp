#include "models/CLocationWalkMM.h"

CLocationWalkMM::CLocationWalkMM(CModelSystem* owner, const std::string& name, float percent) {
    m_pOwner = owner;
    m_strName = name;
    m_fPercent = percent;
}

int CLocationWalkMM::Draw(int zone, const std::vector<int>& candidates) {
    // Probabilities are formed in single precision, then widened.
    const double p = static_cast<double>(m_fPercent / 100.0f);
    const double q = static_cast<double>((100.0f - m_fPercent) / 100.0f);
    const double u = DrawUniform();
    const size_t n = candidates.size();
    if (n == 0) return zone;
    if (p >= u) return zone;
    const double step = q / static_cast<double>(n);
    const double target = u - p;
    double sum = 0.0;
    for (size_t k = 0; k < n; ++k) {
        sum = sum + step;
        if (sum >= target) return candidates[k];
    }
    return candidates[n - 1];
}
