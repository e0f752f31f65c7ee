#pragma once
// Editor of a linear regression (CRegressMM): its terms and its variance,
// which must lie in 0 to 99999999.

#include "editors/CTermEditorDlg.h"
#include "models/CRegressMM.h"

class CRegressDLG : public CTermEditorDlg {
public:
    CRegressDLG(const CRegressMM& model, const CRegressMM::Parameters& parameters, QWidget* parent = nullptr);

    // The working copy; after OK, what the model takes.
    const CRegressMM::Parameters& GetParameters() const { return m_parameters; }

protected:
    CVariableSet& CurrentTerms(bool) override { return m_parameters.terms; }
    bool CheckExtras(std::string& reason, QWidget*& field) override;

private:
    CRegressMM::Parameters m_parameters;
    QLineEdit* m_varianceField = nullptr;
};
