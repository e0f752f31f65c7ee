#include "models/TermCoefficients.h"

#include "models/CVariableSet.h"
#include "platform/NumberText.h"

#include <algorithm>

void GatherTermCoefficients(const CVariableSet& terms, int firstId, int count, std::vector<double>& out,
                            std::vector<int>* missing)
{
    out.assign(static_cast<std::size_t>(std::max(count, 0)), 0.0);
    // A mark per ID tells an absent term from a coefficient of 0.0; the marks
    // live in a buffer of the thread so that a call per household allocates
    // nothing.
    thread_local std::vector<char> seen;
    seen.assign(out.size(), 0);
    const std::size_t terms_n = std::min(terms.m_variableIds.size(), terms.m_coefficients.size());
    for (std::size_t i = 0; i < terms_n; ++i) {
        const long long j = static_cast<long long>(terms.m_variableIds[i]) - firstId;
        if (j < 0 || j >= count) continue;
        out[static_cast<std::size_t>(j)] += terms.m_coefficients[i];
        seen[static_cast<std::size_t>(j)] = 1;
    }
    if (!missing) return;
    for (std::size_t j = 0; j < seen.size(); ++j) {
        if (!seen[j]) missing->push_back(firstId + static_cast<int>(j));
    }
}

std::string MissingTermsText(const std::string& modelName, const std::vector<int>& ids)
{
    std::string text = "Model " + modelName + " lacks the terms ";
    for (std::size_t i = 0; i < ids.size();) {
        std::size_t last = i;
        while (last + 1 < ids.size() && ids[last + 1] == ids[last] + 1) ++last;
        if (i > 0) text += ", ";
        text += NumberText::Integer(ids[i]);
        if (last > i) text += "-" + NumberText::Integer(ids[last]);
        i = last + 1;
    }
    text += "; their coefficients are taken as 0.0.";
    return text;
}
