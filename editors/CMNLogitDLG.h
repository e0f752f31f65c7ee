#pragma once
// Editor of a multinomial logit (CMNLogitMM): one utility function per
// alternative, the alternative picked in a drop-down list (ascending ID).
// Adding, removing and clearing work on the set of the alternative selected
// when the button is pressed. The base alternative is handed back unchanged.

#include "editors/CTermEditorDlg.h"
#include "models/CMNLogitMM.h"
#include "models/CVariableSet.h"

#include <vector>

class QComboBox;

class CMNLogitDLG : public CTermEditorDlg {
public:
    CMNLogitDLG(const CMNLogitMM& model, const CMNLogitMM::Parameters& parameters, QWidget* parent = nullptr);

    const CMNLogitMM::Parameters& GetParameters() const { return m_parameters; }
    // Alternative IDs in the order of the drop-down list.
    const std::vector<int>& GetAlternativeCodes() const { return m_alternativeCodes; }

    void OnSelchangeAlternative();

protected:
    // An alternative without a utility function shows an empty set; it gets a
    // set of its own only when a term is added, so that opening and closing
    // the dialog leaves the model's alternatives as they were.
    CVariableSet& CurrentTerms(bool forChange) override;

private:
    CMNLogitMM::Parameters m_parameters;
    std::vector<int> m_alternativeCodes;
    CVariableSet m_noFunction;  // shown for an alternative without a set; stays empty
    QComboBox* m_alternativeCombo = nullptr;
};
