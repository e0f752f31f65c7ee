#include "models/CLocationMM.h"

#include "data/CInputDataManager.h"
#include "models/ModelConfigXml.h"
#include "models/ModelTextRecord.h"
#include "modelsystem/CEditorRegistry.h"
#include "modelsystem/CModelSystem.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <istream>
#include <memory>
#include <ostream>
#include <pugixml.hpp>

namespace {

// Spreads the choice evenly over the candidates that `member` accepts.
template <class Member>
void Uniform(std::vector<double>& p, size_t n, Member member) {
    size_t count = 0;
    for (size_t j = 0; j < n; ++j)
        if (member(j)) ++count;
    const double share = count > 0 ? 1.0 / static_cast<double>(count) : 0.0;
    for (size_t j = 0; j < n; ++j) p[j] = member(j) ? share : 0.0;
}

}  // namespace

CLocationMM::CLocationMM(CModelSystem* owner, const std::string& name) {
    m_pOwner = owner;
    m_name = name;
}

void CLocationMM::Edit() {
    Parameters edited{m_terms, m_fVariance};
    if (!CEditorRegistry::Run(*this, edited)) return;
    m_fVariance = edited.variance;
    m_terms = edited.terms;
}


int CLocationMM::Draw(const std::vector<int>& candidates, const Matrix& values) {
    return DrawWith(candidates, values, 1.0);
}

int CLocationMM::DrawScaled(const std::vector<int>& candidates, const Matrix& values, double scale) {
    return DrawWith(candidates, values, scale);
}

const std::vector<double>& CLocationMM::ComputeProbabilities(const std::vector<int>& candidates,
                                                             const Matrix& values, double scale) {
    const size_t n = candidates.size();
    std::vector<double>& v = m_utilities;
    std::vector<double>& p = m_probabilities;
    v.assign(n, 0.0);
    p.assign(n, 0.0);
    if (n == 0) return p;

    // Utilities: term by term, in term order. A term without a matrix row, or
    // with an empty row, adds nothing; a row shorter than the list adds nothing
    // to the candidates past its end.
    const size_t terms = std::min({static_cast<size_t>(std::max(m_terms.m_nCount, 0)), m_terms.m_variableIds.size(),
                                   m_terms.m_coefficients.size(), values.size()});
    for (size_t k = 0; k < terms; ++k) {
        const std::vector<double>& row = values[k];
        const double c = m_terms.m_coefficients[k];
        const size_t m = std::min(n, row.size());
        for (size_t j = 0; j < m; ++j) v[j] = row[j] * c + v[j];
    }

    if (scale == 0.0) {
        // A vanishing scale sends all weight to the largest utility.
        bool any = false;
        double best = 0.0;
        for (size_t j = 0; j < n; ++j) {
            if (std::isnan(v[j])) continue;
            if (!any || v[j] > best) best = v[j];
            any = true;
        }
        if (!any)
            Uniform(p, n, [](size_t) { return true; });
        else
            Uniform(p, n, [&](size_t j) { return v[j] == best; });
        return p;
    }

    size_t nan = 0, plusInf = 0, finite = 0;
    for (size_t j = 0; j < n; ++j) {
        v[j] = v[j] / scale;  // exact for the unscaled draw (scale 1.0)
        if (std::isnan(v[j]))
            ++nan;
        else if (v[j] == HUGE_VAL)
            ++plusInf;
        else if (v[j] != -HUGE_VAL)
            ++finite;
    }
    if (plusInf > 0) {
        Uniform(p, n, [&](size_t j) { return v[j] == HUGE_VAL; });
        return p;
    }
    if (finite == 0) {
        // Every utility -inf (or NaN): no candidate is preferred.
        if (nan == n)
            Uniform(p, n, [](size_t) { return true; });
        else
            Uniform(p, n, [&](size_t j) { return !std::isnan(v[j]); });
        return p;
    }

    // Logit probabilities; NaN utilities take no part. exp(V) is kept in p
    // between the sum and the division.
    double s = 0.0;
    for (size_t j = 0; j < n; ++j) {
        if (std::isnan(v[j])) continue;
        p[j] = std::exp(v[j]);
        s = s + p[j];
    }
    if (std::isfinite(s) && s > 0.0) {
        for (size_t j = 0; j < n; ++j) p[j] = p[j] / s;
        return p;
    }
    // exp overflowed or every term underflowed: the same probabilities
    // measured from the largest utility.
    double best = -HUGE_VAL;
    for (size_t j = 0; j < n; ++j)
        if (!std::isnan(v[j]) && v[j] > best) best = v[j];
    s = 0.0;
    for (size_t j = 0; j < n; ++j)
        if (!std::isnan(v[j])) s = s + std::exp(v[j] - best);
    for (size_t j = 0; j < n; ++j) p[j] = std::isnan(v[j]) ? 0.0 : std::exp(v[j] - best) / s;
    return p;
}

int CLocationMM::DrawWith(const std::vector<int>& candidates, const Matrix& values, double scale) {
    const std::vector<double>& p = ComputeProbabilities(candidates, values, scale);
    const double u = DrawUniform();
    const size_t n = candidates.size();
    double sum = 0.0;
    size_t last = n;
    for (size_t j = 0; j < n; ++j) {
        if (!(p[j] > 0.0)) continue;
        sum = sum + p[j];
        last = j;
        if (u <= sum) return candidates[j];
    }
    // Rounding left the running sum below the uniform: the last candidate that
    // could be chosen.
    if (last < n) return candidates[last];
    return -1;
}

int CLocationMM::ListCandidateIndices(int type, int group, std::vector<int>& indices) const {
    const CInputDataManager* manager = m_pOwner != nullptr ? m_pOwner->m_pDataManager : nullptr;
    if (manager == nullptr) return 0;
    const std::vector<std::vector<double>>* rows = manager->GetVehicleMakeRows(type * 10 + group);
    if (rows == nullptr) return 0;
    const int n = static_cast<int>(rows->size());
    for (int i = 0; i < n; ++i) indices.push_back(i);
    return n;
}

int CLocationMM::CandidateWindowHalfWidth(float target) {
    if (std::isnan(target)) return 0;
    if (target <= 3.0f) return 5;
    if (target <= 5.0f) return 10;
    return 25;
}

namespace {

// The window of SelectCandidateWindow over n sorted entries: value(p) is
// entry p's value (only asked for p < valueCount), zone(p) its zone.
template <typename Value, typename Zone>
void SelectWindow(std::ptrdiff_t n, std::ptrdiff_t valueCount, Value value, Zone zone, std::vector<int>& selection,
                  float target) {
    selection.clear();
    // Nothing to choose from: an empty window rather than a negative size.
    if (n == 0) return;
    const std::ptrdiff_t halfWidth = CLocationMM::CandidateWindowHalfWidth(target);
    const std::ptrdiff_t step = halfWidth <= 10 ? 2 : 5;
    const double limit = static_cast<double>(target);

    // When the step carries the scan past the end without a stop, the last
    // position (the largest value) is the centre.
    std::ptrdiff_t centre = n - 1;
    for (std::ptrdiff_t p = 0; p < n; p += step) {
        const bool above = p < valueCount && value(p) > limit;
        if (above || p == n - 1) {
            centre = p;
            break;
        }
    }

    const std::ptrdiff_t extent = std::min({halfWidth, centre, n - 1 - centre});
    for (std::ptrdiff_t p = centre - extent; p <= centre + extent; ++p) selection.push_back(zone(p));
}

}  // namespace

void CLocationMM::SelectCandidateWindow(const std::vector<int>& zones, const std::vector<double>& values,
                                        std::vector<int>& selection, float target) {
    SelectWindow(
        static_cast<std::ptrdiff_t>(zones.size()), static_cast<std::ptrdiff_t>(values.size()),
        [&](std::ptrdiff_t p) { return values[static_cast<std::size_t>(p)]; },
        [&](std::ptrdiff_t p) { return zones[static_cast<std::size_t>(p)]; }, selection, target);
}

void CLocationMM::SelectCandidateWindow(const std::vector<std::pair<double, int>>& sorted,
                                        std::vector<int>& selection, float target) {
    const auto n = static_cast<std::ptrdiff_t>(sorted.size());
    SelectWindow(
        n, n, [&](std::ptrdiff_t p) { return sorted[static_cast<std::size_t>(p)].first; },
        [&](std::ptrdiff_t p) { return sorted[static_cast<std::size_t>(p)].second; }, selection, target);
}

void CLocationMM::CopyParameters(const CLocationMM& other) {
    m_terms = other.m_terms;
    m_fVariance = other.m_fVariance;
}

namespace {

const char* const kTypeText = "class CLocationMM * __ptr64";
const char* const kVarianceOutOfRange = "the variance of a location model is too large for its field";

}  // namespace

std::unique_ptr<CModelModule::ParsedParameters> CLocationMM::ParseText(std::istream& in, std::string& error) const {
    double variance = 0.0;
    Parameters read;
    if (!ModelTextRecord::ReadReal(in, variance, "variance", error)) return nullptr;
    if (!ModelTextRecord::ReadTerms(in, read.terms, error)) return nullptr;
    if (!ModelTextRecord::ReadRestOfLine(in, error)) return nullptr;
    read.variance = static_cast<float>(variance);
    if (!std::isfinite(read.variance)) {
        error = kVarianceOutOfRange;
        return nullptr;
    }
    return std::make_unique<ParsedAs<Parameters>>(std::move(read));
}

void CLocationMM::WriteText(std::ostream& out) const {
    ModelTextRecord::WriteHeader(out, kTypeText, m_name);
    out << ModelTextRecord::Float(m_fVariance) << '\n';
    ModelTextRecord::WriteTerms(out, m_terms);
}

std::unique_ptr<CModelModule::ParsedParameters> CLocationMM::ParseXml(const pugi::xml_node& element,
                                                                      std::string& error) const {
    Parameters read;
    double variance = 0.0;
    if (!ModelConfigXml::ReadVariables(element, read.terms, error)) return nullptr;
    if (!ModelConfigXml::ReadVariance(element, variance, error)) return nullptr;
    read.variance = static_cast<float>(variance);
    if (!std::isfinite(read.variance)) {
        error = kVarianceOutOfRange;
        return nullptr;
    }
    return std::make_unique<ParsedAs<Parameters>>(std::move(read));
}

void CLocationMM::WriteXml(std::ostream& out) const {
    ModelConfigXml::WriteStartTag(out, m_name, kTypeText);
    ModelConfigXml::WriteVariance(out, ModelConfigXml::Float(m_fVariance), "\n");
    ModelConfigXml::WriteVariables(out, m_terms, "unavailable", "\n\n");
    ModelConfigXml::WriteEndTag(out);
}

void CLocationMM::ApplyParameters(const ParsedParameters& parsed) {
    const auto* read = dynamic_cast<const ParsedAs<Parameters>*>(&parsed);
    if (read == nullptr) return;
    m_terms = read->parameters.terms;
    m_fVariance = read->parameters.variance;
}
