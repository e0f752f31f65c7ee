#pragma once
// Editor of a location choice (CLocationMM): its terms and its variance
// (a float), which must lie in 0 to 99999999.

#include "editors/CTermEditorDlg.h"
#include "models/CLocationMM.h"

class CLocationDLG : public CTermEditorDlg {
public:
    CLocationDLG(const CLocationMM& model, const CLocationMM::Parameters& parameters, QWidget* parent = nullptr);

    const CLocationMM::Parameters& GetParameters() const { return m_parameters; }

protected:
    CVariableSet& CurrentTerms(bool) override { return m_parameters.terms; }
    bool CheckExtras(std::string& reason, QWidget*& field) override;

private:
    CLocationMM::Parameters m_parameters;
    QLineEdit* m_varianceField = nullptr;
};
