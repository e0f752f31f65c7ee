#include "models/CHazardMM.h"

#include "models/ModelConfigXml.h"
#include "models/ModelTextRecord.h"
#include "modelsystem/CEditorRegistry.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <istream>
#include <memory>
#include <ostream>
#include <pugixml.hpp>
#include <stdexcept>
#include <string>
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

bool CHazardMM::SetParameters(const Parameters& parameters) {
    if (!IsValidVariance(parameters.variance)) {
        ReportRejected(kVarianceRejected);
        return false;
    }
    if (!AreValidIntervals(parameters.intervalCount, parameters.intervalStarts, parameters.intervalParameters)) {
        ReportRejected(kIntervalsRejected);
        return false;
    }
    // The count stands for count - 1 stored intervals; extra entries would be
    // written to the model file and read back as further intervals.
    const std::size_t stored = static_cast<std::size_t>(parameters.intervalCount) - 1;
    m_terms = parameters.terms;
    m_fVariance = parameters.variance;
    m_nIntervalCount = parameters.intervalCount;
    m_intervalParameters.assign(parameters.intervalParameters.begin(),
                                parameters.intervalParameters.begin() + static_cast<std::ptrdiff_t>(stored));
    m_intervalStarts.assign(parameters.intervalStarts.begin(),
                            parameters.intervalStarts.begin() + static_cast<std::ptrdiff_t>(stored));
    return true;
}

namespace {

const char* const kTypeText = "class CHazardMM * __ptr64";

// The reason a parameter set read from a file cannot be used, or empty.
std::string CheckRead(const CHazardMM::Parameters& read) {
    if (!CHazardMM::IsValidVariance(read.variance)) return "the heterogeneity variance of a hazard model must be above 0";
    if (!CHazardMM::AreValidIntervals(read.intervalCount, read.intervalStarts, read.intervalParameters))
        return "a hazard model needs at least one interval";
    return {};
}

}  // namespace

std::unique_ptr<CModelModule::ParsedParameters> CHazardMM::ParseText(std::istream& in, std::string& error) const {
    Parameters read;
    double variance = 0.0;
    int count = 0;
    if (!ModelTextRecord::ReadReal(in, variance, "variance", error)) return nullptr;
    if (!ModelTextRecord::ReadTerms(in, read.terms, error)) return nullptr;
    if (!ModelTextRecord::ReadCount(in, count, "interval count", error)) return nullptr;
    for (int i = 0; i + 1 < count; ++i) {
        double start = 0.0;
        if (!ModelTextRecord::ReadReal(in, start, "interval start", error)) return nullptr;
        read.intervalStarts.push_back(start);
    }
    for (int i = 0; i + 1 < count; ++i) {
        double parameter = 0.0;
        if (!ModelTextRecord::ReadReal(in, parameter, "interval parameter", error)) return nullptr;
        read.intervalParameters.push_back(parameter);
    }
    if (!ModelTextRecord::ReadRestOfLine(in, error)) return nullptr;
    read.variance = static_cast<float>(variance);
    read.intervalCount = count;
    error = CheckRead(read);
    if (!error.empty()) return nullptr;
    return std::make_unique<ParsedAs<Parameters>>(std::move(read));
}

// A model that cannot draw (never given parameters, or without intervals or a
// positive variance) writes no record: the reader would refuse it, and without
// one a reload leaves the model as it is.
bool CHazardMM::HasUsableParameters() const {
    return IsValidVariance(m_fVariance) && AreValidIntervals(m_nIntervalCount, m_intervalStarts, m_intervalParameters);
}

void CHazardMM::WriteText(std::ostream& out) const {
    if (!HasUsableParameters()) return;
    ModelTextRecord::WriteHeader(out, kTypeText, m_name);
    out << ModelTextRecord::Float(m_fVariance) << '\n';
    ModelTextRecord::WriteTerms(out, m_terms);
    out << NumberText::Integer(m_nIntervalCount) << '\n';
    if (m_nIntervalCount < 1) return;
    // The count - 1 intervals the count stands for, so that the record reads back.
    const std::size_t stored = static_cast<std::size_t>(m_nIntervalCount) - 1;
    for (std::size_t i = 0; i < stored && i < m_intervalStarts.size(); ++i)
        out << ModelTextRecord::Real(m_intervalStarts[i]) << ' ';
    out << '\n';
    for (std::size_t i = 0; i < stored && i < m_intervalParameters.size(); ++i)
        out << ModelTextRecord::Real(m_intervalParameters[i]) << ' ';
    out << '\n';
}

std::unique_ptr<CModelModule::ParsedParameters> CHazardMM::ParseXml(const pugi::xml_node& element,
                                                                    std::string& error) const {
    Parameters read;
    if (!ModelConfigXml::ReadVariables(element, read.terms, error)) return nullptr;
    pugi::xpath_node_set intervals = element.select_nodes("Intervals/Interval");
    intervals.sort();
    for (const pugi::xpath_node& selected : intervals) {
        double start = 0.0;
        double parameter = 0.0;
        if (!ModelConfigXml::ReadRealAttribute(selected.node(), "start", start, error)) return nullptr;
        if (!ModelConfigXml::ReadRealAttribute(selected.node(), "param", parameter, error)) return nullptr;
        read.intervalStarts.push_back(start);
        read.intervalParameters.push_back(parameter);
    }
    read.intervalCount = static_cast<int>(intervals.size()) + 1;
    double variance = 0.0;
    if (!ModelConfigXml::ReadVariance(element, variance, error)) return nullptr;
    read.variance = static_cast<float>(variance);
    error = CheckRead(read);
    if (!error.empty()) return nullptr;
    return std::make_unique<ParsedAs<Parameters>>(std::move(read));
}

void CHazardMM::WriteXml(std::ostream& out) const {
    if (!HasUsableParameters()) return;
    ModelConfigXml::WriteStartTag(out, m_name, kTypeText);
    ModelConfigXml::WriteVariance(out, ModelConfigXml::Float(m_fVariance), "\n\n");
    ModelConfigXml::WriteVariables(out, m_terms, "unavailable", "\n\n");
    out << "<Intervals>\n";
    if (m_nIntervalCount > 0) {
        const std::size_t n = std::min(m_intervalStarts.size(), m_intervalParameters.size());
        for (std::size_t i = 0; i < n; ++i)
            out << "<Interval start=\"" << ModelConfigXml::Real(m_intervalStarts[i]) << "\" param=\""
                << ModelConfigXml::Real(m_intervalParameters[i]) << "\" />\n";
    }
    out << "</Intervals>\n\n";
    ModelConfigXml::WriteEndTag(out);
}

void CHazardMM::ApplyParameters(const ParsedParameters& parsed) {
    const auto* read = dynamic_cast<const ParsedAs<Parameters>*>(&parsed);
    if (read == nullptr) return;
    m_terms = read->parameters.terms;
    m_fVariance = read->parameters.variance;
    m_nIntervalCount = read->parameters.intervalCount;
    m_intervalStarts = read->parameters.intervalStarts;
    m_intervalParameters = read->parameters.intervalParameters;
}
