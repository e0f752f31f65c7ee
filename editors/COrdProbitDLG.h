#pragma once
// Editor of an ordered probit (COrdProbitMM): its terms and its thresholds,
// paged five at a time. The number of thresholds is shown but not edited:
// the model's category count fixes it, and callers rely on it. On OK the
// thresholds must be finite and strictly ascending.

#include "editors/CTermEditorDlg.h"
#include "models/COrdProbitMM.h"

class CValuePager;

class COrdProbitDLG : public CTermEditorDlg {
public:
    COrdProbitDLG(const COrdProbitMM& model, const COrdProbitMM::Parameters& parameters, QWidget* parent = nullptr);

    const COrdProbitMM::Parameters& GetParameters() const { return m_parameters; }
    CValuePager& Pager() const { return *m_pager; }

protected:
    CVariableSet& CurrentTerms(bool) override { return m_parameters.terms; }
    bool CheckExtras(std::string& reason, QWidget*& field) override;

private:
    COrdProbitMM::Parameters m_parameters;
    int m_nCategoryCount = 0;
    CValuePager* m_pager = nullptr;
};
