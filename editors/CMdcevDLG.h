#pragma once
// Editor of an MDCEV activity-generation model (CMdcevMM): its terms and its
// satiation values, paged five at a time; the number of values can be changed
// (0 to 999) and takes effect with "Edit" or at OK.

#include "editors/CTermEditorDlg.h"
#include "models/CMdcevMM.h"

class CValuePager;

class CMdcevDLG : public CTermEditorDlg {
public:
    CMdcevDLG(const CMdcevMM& model, const CMdcevMM::Parameters& parameters, QWidget* parent = nullptr);

    const CMdcevMM::Parameters& GetParameters() const { return m_parameters; }
    CValuePager& Pager() const { return *m_pager; }

protected:
    CVariableSet& CurrentTerms(bool) override { return m_parameters.terms; }
    bool CheckExtras(std::string& reason, QWidget*& field) override;

private:
    CMdcevMM::Parameters m_parameters;
    CValuePager* m_pager = nullptr;
};
