#include "ModelParameterComparison.h"

#include "models/CBLogitMM.h"
#include "models/CHazardMM.h"
#include "models/CLocationMM.h"
#include "models/CMNLogitMM.h"
#include "models/CMdcevMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "models/CStartAndEndTimeMM.h"
#include "modelsystem/CModelSystem.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace ModelParameterTesting {

namespace {

std::string Describe(const CVariableSet& terms) {
    std::ostringstream out;
    out << "count " << terms.m_nCount << ":";
    for (std::size_t i = 0; i < terms.m_variableIds.size(); ++i) {
        out << " " << terms.m_variableIds[i] << "=";
        if (i < terms.m_coefficients.size()) out << terms.m_coefficients[i];
    }
    return out.str();
}

bool SameTerms(const CVariableSet& a, const CVariableSet& b) {
    return a.m_nCount == b.m_nCount && a.m_variableIds == b.m_variableIds && a.m_coefficients == b.m_coefficients;
}

::testing::AssertionResult Differ(const CModelModule& a, const std::string& what) {
    return ::testing::AssertionFailure() << "model \"" << a.m_name << "\": " << what;
}

template <class Model>
const Model* As(const CModelModule& model) {
    return dynamic_cast<const Model*>(&model);
}

// A coefficient that six decimals cannot hold, different per model and term.
double Coefficient(int seed, int model, int term) {
    return (seed * 7 + model * 13 + term * 5) % 97 / 32.0 - 1.5 + 1.0e-7 * (term + 1);
}

}  // namespace

::testing::AssertionResult SameParameters(const CModelModule& a, const CModelModule& b) {
    if (typeid(a) != typeid(b)) return Differ(a, "models of different classes");
    if (const auto* x = As<CRegressMM>(a)) {
        const auto* y = As<CRegressMM>(b);
        if (!SameTerms(x->m_terms, y->m_terms))
            return Differ(a, Describe(x->m_terms) + " vs " + Describe(y->m_terms));
        if (x->m_dVariance != y->m_dVariance) return Differ(a, "variance");
    } else if (const auto* x = As<CBLogitMM>(a)) {
        const auto* y = As<CBLogitMM>(b);
        if (!SameTerms(x->m_terms, y->m_terms))
            return Differ(a, Describe(x->m_terms) + " vs " + Describe(y->m_terms));
    } else if (const auto* x = As<CStartAndEndTimeMM>(a)) {
        if (!SameTerms(x->m_terms, As<CStartAndEndTimeMM>(b)->m_terms)) return Differ(a, "terms");
    } else if (const auto* x = As<COrdProbitMM>(a)) {
        const auto* y = As<COrdProbitMM>(b);
        if (!SameTerms(x->m_terms, y->m_terms)) return Differ(a, "terms");
        if (x->m_thresholds != y->m_thresholds) return Differ(a, "thresholds");
        if (x->m_nCategoryCount != y->m_nCategoryCount) return Differ(a, "category count");
    } else if (const auto* x = As<CMdcevMM>(a)) {
        const auto* y = As<CMdcevMM>(b);
        if (!SameTerms(x->m_terms, y->m_terms)) return Differ(a, "terms");
        if (x->m_satiationValues != y->m_satiationValues) return Differ(a, "satiation values");
    } else if (const auto* x = As<CHazardMM>(a)) {
        const auto* y = As<CHazardMM>(b);
        if (!SameTerms(x->m_terms, y->m_terms)) return Differ(a, "terms");
        if (x->m_fVariance != y->m_fVariance) return Differ(a, "variance");
        if (x->m_nIntervalCount != y->m_nIntervalCount) return Differ(a, "interval count");
        if (x->m_intervalStarts != y->m_intervalStarts) return Differ(a, "interval starts");
        if (x->m_intervalParameters != y->m_intervalParameters) return Differ(a, "interval parameters");
    } else if (const auto* x = As<CLocationMM>(a)) {
        const auto* y = As<CLocationMM>(b);
        if (!SameTerms(x->m_terms, y->m_terms)) return Differ(a, "terms");
        if (x->m_fVariance != y->m_fVariance) return Differ(a, "variance");
    } else if (const auto* x = As<CMNLogitMM>(a)) {
        const auto* y = As<CMNLogitMM>(b);
        if (x->m_nBaseAlternative != y->m_nBaseAlternative) return Differ(a, "base alternative");
        if (x->m_nAlternatives != y->m_nAlternatives) return Differ(a, "alternative count");
        if (x->m_alternativeNames != y->m_alternativeNames) return Differ(a, "alternative names");
        if (x->m_utilityFunctions.size() != y->m_utilityFunctions.size()) return Differ(a, "number of utilities");
        for (const auto& [id, terms] : x->m_utilityFunctions) {
            const auto other = y->m_utilityFunctions.find(id);
            if (other == y->m_utilityFunctions.end() || !SameTerms(terms, other->second))
                return Differ(a, "utility of alternative " + std::to_string(id));
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult SameParameters(const CModelSystem& a, const CModelSystem& b) {
    const auto& left = a.GetModels();
    const auto& right = b.GetModels();
    if (left.size() != right.size()) return ::testing::AssertionFailure() << "catalogues of different sizes";
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (left[i]->m_name != right[i]->m_name)
            return ::testing::AssertionFailure() << "catalogues differ at " << i;
        ::testing::AssertionResult same = SameParameters(*left[i], *right[i]);
        if (!same) return same;
    }
    return ::testing::AssertionSuccess();
}

CModelModule& ModelNamed(const CModelSystem& system, const std::string& name) {
    for (const auto& model : system.GetModels())
        if (model && model->m_name == name) return *model;
    ADD_FAILURE() << "no model named " << name;
    throw std::logic_error("no model named " + name);
}

void FillAllModels(CModelSystem& system, int seed) {
    int index = 0;
    for (const auto& pointer : system.GetModels()) {
        CModelModule& model = *pointer;
        ++index;
        if (model.m_name.empty()) continue;
        CVariableSet terms;
        const int termCount = 1 + (index + seed) % 4;
        for (int t = 0; t < termCount; ++t) terms.Add(30000 + (index * 7 + t * 11) % 900, Coefficient(seed, index, t));
        if (auto* m = dynamic_cast<CRegressMM*>(&model)) {
            m->m_terms = terms;
            m->m_dVariance = 0.5 + index / 3.0;
        } else if (auto* m = dynamic_cast<CBLogitMM*>(&model)) {
            m->m_terms = terms;
        } else if (auto* m = dynamic_cast<CStartAndEndTimeMM*>(&model)) {
            m->m_terms = terms;
        } else if (auto* m = dynamic_cast<COrdProbitMM*>(&model)) {
            m->m_terms = terms;
            m->m_thresholds.clear();
            for (int k = 1; k < m->m_nCategoryCount; ++k) m->m_thresholds.push_back(k * 0.7 + seed / 1000.0 + 1e-9);
        } else if (auto* m = dynamic_cast<CMdcevMM*>(&model)) {
            m->m_terms = terms;
            m->m_satiationValues.clear();
            for (int k = 0; k < 13; ++k) m->m_satiationValues.push_back(Coefficient(seed, index, k) * 3.0);
        } else if (auto* m = dynamic_cast<CHazardMM*>(&model)) {
            m->m_terms = terms;
            m->m_fVariance = 0.3f + static_cast<float>(index) / 7.0f;
            m->m_nIntervalCount = 4;
            m->m_intervalStarts = {30.0 + seed, 60.5, 120.25};
            m->m_intervalParameters = {0.01, 0.2 + 1e-8, 1.5};
        } else if (auto* m = dynamic_cast<CLocationMM*>(&model)) {
            m->m_terms = terms;
            m->m_fVariance = 0.1f * static_cast<float>(index % 5);
        } else if (auto* m = dynamic_cast<CMNLogitMM*>(&model)) {
            m->m_nBaseAlternative = m->m_alternativeNames.empty() ? 0 : m->m_alternativeNames.begin()->first;
            for (auto& [id, utility] : m->m_utilityFunctions) {
                utility.Clear();
                utility.Add(30000, Coefficient(seed, index, id));
                if (id % 2 == 1) utility.Add(10008, Coefficient(seed + 1, index, id) / 100.0);
            }
        }
    }
}

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("tolvar-model-file-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace ModelParameterTesting
