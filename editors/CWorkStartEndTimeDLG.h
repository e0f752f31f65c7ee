#pragma once
// Editor of the work start and end time choice (CStartAndEndTimeMM): the terms
// of the utility of a pair of time windows.

#include "editors/CTermEditorDlg.h"
#include "models/CStartAndEndTimeMM.h"

class CWorkStartEndTimeDLG : public CTermEditorDlg {
public:
    CWorkStartEndTimeDLG(const CStartAndEndTimeMM& model, const CStartAndEndTimeMM::Parameters& parameters,
                         QWidget* parent = nullptr);

    const CStartAndEndTimeMM::Parameters& GetParameters() const { return m_parameters; }

protected:
    CVariableSet& CurrentTerms(bool) override { return m_parameters.terms; }

private:
    CStartAndEndTimeMM::Parameters m_parameters;
};
