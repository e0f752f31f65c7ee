#pragma once
// Editor of a hazard duration model (CHazardMM): its terms, its heterogeneity
// variance and its baseline: the interval count and, for each of the count - 1
// interval boundaries, a time marker and a parameter, paged five at a time.
// On OK the variance must be finite and above 0 and the count at least 2.

#include "editors/CTermEditorDlg.h"
#include "models/CHazardMM.h"

class CValuePager;

class CHazardDLG : public CTermEditorDlg {
public:
    CHazardDLG(const CHazardMM& model, const CHazardMM::Parameters& parameters, QWidget* parent = nullptr);

    const CHazardMM::Parameters& GetParameters() const { return m_parameters; }
    CValuePager& Pager() const { return *m_pager; }

protected:
    CVariableSet& CurrentTerms(bool) override { return m_parameters.terms; }
    bool CheckExtras(std::string& reason, QWidget*& field) override;

private:
    CHazardMM::Parameters m_parameters;
    QLineEdit* m_varianceField = nullptr;
    CValuePager* m_pager = nullptr;
};
