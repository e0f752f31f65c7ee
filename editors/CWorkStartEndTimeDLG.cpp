#include "editors/CWorkStartEndTimeDLG.h"

CWorkStartEndTimeDLG::CWorkStartEndTimeDLG(const CStartAndEndTimeMM& model,
                                           const CStartAndEndTimeMM::Parameters& parameters, QWidget* parent)
    : CTermEditorDlg(model, QStringLiteral("Function"), parent), m_parameters(parameters) {
    ListTerms();
}
