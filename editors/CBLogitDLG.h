#pragma once
// Editor of a binary logit (CBLogitMM): the utility of the outcome "YES"
// against the base "NO"; its terms can also be cleared at once.

#include "editors/CTermEditorDlg.h"
#include "models/CBLogitMM.h"

class CBLogitDLG : public CTermEditorDlg {
public:
    CBLogitDLG(const CBLogitMM& model, const CBLogitMM::Parameters& parameters, QWidget* parent = nullptr);

    const CBLogitMM::Parameters& GetParameters() const { return m_parameters; }

protected:
    CVariableSet& CurrentTerms(bool) override { return m_parameters.terms; }

private:
    CBLogitMM::Parameters m_parameters;
};
