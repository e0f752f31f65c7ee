#include "models/CStartAndEndTimeMM.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "models/ModelConfigXml.h"
#include "models/ModelTextRecord.h"
#include "modelsystem/CEditorRegistry.h"
#include "schedules/CPattern.h"

#include <cmath>
#include <cstddef>
#include <istream>
#include <limits>
#include <memory>
#include <ostream>
#include <pugixml.hpp>
#include <stdexcept>

namespace {

constexpr int kAutoCostColumn = 11;
constexpr int kAutoTimeColumn = 5;

}  // namespace

CStartAndEndTimeMM::CStartAndEndTimeMM(CModelSystem* owner, const std::string& name) {
    m_pOwner = owner;
    m_name = name;
    m_destination.reserve(1);
    m_queryValues.reserve(1);
}

void CStartAndEndTimeMM::Edit() {
    Parameters edited{m_terms};
    if (!CEditorRegistry::Run(*this, edited)) return;
    m_terms = edited.terms;
}


void CStartAndEndTimeMM::CopyParameters(const CStartAndEndTimeMM& other) { m_terms = other.m_terms; }

bool CStartAndEndTimeMM::Draw(CPersonObject* person, double& start, double& end) {
    if (person == nullptr) throw std::invalid_argument("work start and end time: no person given");
    CHouseholdObject* household = person->GetHousehold();
    if (household == nullptr) throw std::invalid_argument("work start and end time: person without a household");
    CInputDataManager* manager = household->GetDataManager();
    if (manager == nullptr) throw std::invalid_argument("work start and end time: household without a data manager");

    const int homeZone = household->GetHomeZone();
    const int workZone = person->GetActivityZone();
    QueryLevelOfService(*manager, homeZone, workZone, m_levelOfService);
    return DrawWithLevelOfService(CWorkTimeOfDayVariables::ReadPerson(*person), m_levelOfService, start, end);
}

void CStartAndEndTimeMM::QueryLevelOfService(CInputDataManager& manager, int homeZone, int workZone,
                                             CommuteLevelOfService& levelOfService) {
    // First value of one query; 0.0 when the query gave none.
    auto query = [&](int column, double time, int origin, int destination) {
        m_destination.assign(1, destination);
        m_queryValues.clear();
        manager.GetLOS(m_queryValues, column, time, origin, m_destination);
        return m_queryValues.empty() ? 0.0 : m_queryValues.front();
    };
    for (std::size_t band = 0; band < CWorkTimeWindows::kQueryTimes.size(); ++band) {
        const double time = CWorkTimeWindows::kQueryTimes[band];
        levelOfService.homeToWorkCost[band] = query(kAutoCostColumn, time, homeZone, workZone);
        levelOfService.homeToWorkTime[band] = query(kAutoTimeColumn, time, homeZone, workZone);
    }
    for (std::size_t band = 0; band < CWorkTimeWindows::kQueryTimes.size(); ++band) {
        const double time = CWorkTimeWindows::kQueryTimes[band];
        levelOfService.workToHomeCost[band] = query(kAutoCostColumn, time, workZone, homeZone);
        levelOfService.workToHomeTime[band] = query(kAutoTimeColumn, time, workZone, homeZone);
    }
}

CWorkTimeOfDayVariables::Alternative CStartAndEndTimeMM::MakeAlternative(double startMidpoint, double endMidpoint,
                                                                         double startLowerBound, double endLowerBound,
                                                                         double endBandCost, double endBandTime,
                                                                         double startBandCost, double startBandTime) {
    CWorkTimeOfDayVariables::Alternative alternative;
    alternative.start = startMidpoint;
    alternative.end = endMidpoint;
    alternative.startLowerBound = startLowerBound;
    alternative.endLowerBound = endLowerBound;
    alternative.endBandCost = endBandCost;
    alternative.endBandTime = endBandTime;
    alternative.startBandCost = startBandCost;
    alternative.startBandTime = startBandTime;
    return alternative;
}

void CStartAndEndTimeMM::ComputeValues(double startMidpoint, double endMidpoint, CPattern* pattern,
                                       double startLowerBound, double endLowerBound, double endBandCost,
                                       double endBandTime, double startBandCost, double startBandTime) {
    if (pattern == nullptr || pattern->GetPerson() == nullptr)
        throw std::invalid_argument("work start and end time: no worker pattern with a person");
    CWorkTimeOfDayVariables::Alternative alternative =
        MakeAlternative(startMidpoint, endMidpoint, startLowerBound, endLowerBound, endBandCost, endBandTime,
                        startBandCost, startBandTime);
    alternative.startTerms = CWorkTimeOfDayVariables::FourierTerms(startMidpoint);
    alternative.endTerms = CWorkTimeOfDayVariables::FourierTerms(endMidpoint);
    CWorkTimeOfDayVariables::Fill(m_terms, alternative, CWorkTimeOfDayVariables::ReadPerson(*pattern->GetPerson()));
}

double CStartAndEndTimeMM::Utility(double startMidpoint, double endMidpoint, CPersonObject* person,
                                   double startLowerBound, double endLowerBound, double endBandCost,
                                   double endBandTime, double startBandCost, double startBandTime) {
    if (person == nullptr) throw std::invalid_argument("work start and end time: no person given");
    ComputeValues(startMidpoint, endMidpoint, person->GetPattern(), startLowerBound, endLowerBound, endBandCost,
                  endBandTime, startBandCost, startBandTime);
    return std::exp(m_terms.Utility());
}

bool CStartAndEndTimeMM::DrawWithLevelOfService(const CWorkTimeOfDayVariables::PersonAttributes& person,
                                                const CommuteLevelOfService& levelOfService, double& start,
                                                double& end) {
    const auto& pairs = CWorkTimeWindows::Pairs();
    double total = 0.0;
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const CWorkTimeWindows::Pair& pair = pairs[k];
        // The end of work is paired with the home-to-work values of its band,
        // the start of work with the work-to-home values of its band.
        const auto endBand = static_cast<std::size_t>(CWorkTimeWindows::BandOf(pair.endMidpoint));
        const auto startBand = static_cast<std::size_t>(CWorkTimeWindows::BandOf(pair.startMidpoint));
        CWorkTimeOfDayVariables::Alternative alternative = MakeAlternative(
            pair.startMidpoint, pair.endMidpoint, pair.startLowerBound, pair.endLowerBound,
            levelOfService.homeToWorkCost[endBand], levelOfService.homeToWorkTime[endBand],
            levelOfService.workToHomeCost[startBand], levelOfService.workToHomeTime[startBand]);
        alternative.startTerms = CWorkTimeOfDayVariables::WindowFourierTerms(pair.startWindow);
        alternative.endTerms = CWorkTimeOfDayVariables::WindowFourierTerms(pair.endWindow);
        CWorkTimeOfDayVariables::Fill(m_terms, alternative, person);

        const double v = m_terms.Utility();
        m_pairUtilities[k] = v;
        m_pairWeights[k] = std::exp(v);
        total += m_pairWeights[k];
    }

    const double u = DrawUniform();
    int chosen = -1;
    if (std::isfinite(total) && total > 0.0) {
        chosen = Walk(total, u);
    } else {
        // Every weight underflowed, one overflowed, or a utility is not a
        // number: normalise relative to the largest utility with the same U.
        const double rescaledTotal = RescaleWeights();
        if (rescaledTotal > 0.0) chosen = Walk(rescaledTotal, u);
    }
    // Rounding can leave the last cumulative share at or below U.
    if (chosen < 0) chosen = LastWeightedPair();
    if (chosen < 0) return false;

    const CWorkTimeWindows::Pair& pair = pairs[static_cast<std::size_t>(chosen)];
    const double u1 = DrawUniform();
    const double u2 = DrawUniform();
    start = pair.startLowerBound + u1 * pair.startWidth;
    end = pair.endLowerBound + u2 * pair.endWidth;
    return true;
}

int CStartAndEndTimeMM::Walk(double total, double u) const {
    double cumulative = 0.0;
    for (std::size_t k = 0; k < m_pairWeights.size(); ++k) {
        cumulative = cumulative + m_pairWeights[k] / total;
        if (cumulative > u) return static_cast<int>(k);
    }
    return -1;
}

double CStartAndEndTimeMM::RescaleWeights() {
    double largest = -std::numeric_limits<double>::infinity();
    for (const double v : m_pairUtilities)
        if (!std::isnan(v) && v > largest) largest = v;

    double total = 0.0;
    for (std::size_t k = 0; k < m_pairUtilities.size(); ++k) {
        const double v = m_pairUtilities[k];
        double weight = 0.0;
        if (std::isnan(v) || largest == -std::numeric_limits<double>::infinity())
            weight = 0.0;  // no usable utility at all, or this one is not a number
        else if (largest == std::numeric_limits<double>::infinity())
            weight = v == largest ? 1.0 : 0.0;  // the pairs of infinite utility share the choice
        else
            weight = std::exp(v - largest);
        m_pairWeights[k] = weight;
        total += weight;
    }
    return total;
}

int CStartAndEndTimeMM::LastWeightedPair() const {
    for (std::size_t k = m_pairWeights.size(); k-- > 0;)
        if (m_pairWeights[k] > 0.0) return static_cast<int>(k);
    return -1;
}

namespace {

const char* const kTypeText = "class CStartAndEndTimeMM * __ptr64";

}  // namespace

std::unique_ptr<CModelModule::ParsedParameters> CStartAndEndTimeMM::ParseText(std::istream& in, std::string& error) const {
    Parameters read;
    if (!ModelTextRecord::ReadTerms(in, read.terms, error)) return nullptr;
    if (!ModelTextRecord::ReadRestOfLine(in, error)) return nullptr;
    return std::make_unique<ParsedAs<Parameters>>(std::move(read));
}

void CStartAndEndTimeMM::WriteText(std::ostream& out) const {
    ModelTextRecord::WriteHeader(out, kTypeText, m_name);
    ModelTextRecord::WriteTerms(out, m_terms);
}

std::unique_ptr<CModelModule::ParsedParameters> CStartAndEndTimeMM::ParseXml(const pugi::xml_node& element,
                                                                    std::string& error) const {
    Parameters read;
    if (!ModelConfigXml::ReadVariables(element, read.terms, error)) return nullptr;
    return std::make_unique<ParsedAs<Parameters>>(std::move(read));
}

void CStartAndEndTimeMM::WriteXml(std::ostream& out) const {
    ModelConfigXml::WriteStartTag(out, m_name, kTypeText);
    ModelConfigXml::WriteVariables(out, m_terms, "temp", "\n\n");
    ModelConfigXml::WriteEndTag(out);
}

void CStartAndEndTimeMM::ApplyParameters(const ParsedParameters& parsed) {
    const auto* read = dynamic_cast<const ParsedAs<Parameters>*>(&parsed);
    if (read == nullptr) return;
    m_terms = read->parameters.terms;
}
