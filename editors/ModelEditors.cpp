#include "editors/ModelEditors.h"

#include "editors/CBLogitDLG.h"
#include "editors/CHazardDLG.h"
#include "editors/CLocationDLG.h"
#include "editors/CMNLogitDLG.h"
#include "editors/CMdcevDLG.h"
#include "editors/COrdProbitDLG.h"
#include "editors/CRegressDLG.h"
#include "editors/CWorkStartEndTimeDLG.h"
#include "modelsystem/CEditorRegistry.h"
#include "platform/MessageSink.h"

#include <exception>

namespace ModelEditors {

namespace {

template <class Model, class Dialog>
void Install() {
    CEditorRegistry::Install<Model>([](const Model& model, typename Model::Parameters& edited) {
        try {
            Dialog dialog(model, edited);
            if (dialog.exec() != QDialog::Accepted) return false;
            edited = dialog.GetParameters();
            return true;
        } catch (const std::exception& error) {
            MessageSink::Post("The editor of \"" + model.GetName() + "\" cannot be shown: " + error.what() +
                                  ". The model is unchanged.",
                              MessageIcon::Error);
            return false;
        }
    });
}

}  // namespace

void InstallModelEditors() {
    Install<CRegressMM, CRegressDLG>();
    Install<CBLogitMM, CBLogitDLG>();
    Install<CMNLogitMM, CMNLogitDLG>();
    Install<COrdProbitMM, COrdProbitDLG>();
    Install<CMdcevMM, CMdcevDLG>();
    Install<CHazardMM, CHazardDLG>();
    Install<CLocationMM, CLocationDLG>();
    Install<CStartAndEndTimeMM, CWorkStartEndTimeDLG>();
}

void RemoveModelEditors() {
    CEditorRegistry::Remove<CRegressMM>();
    CEditorRegistry::Remove<CBLogitMM>();
    CEditorRegistry::Remove<CMNLogitMM>();
    CEditorRegistry::Remove<COrdProbitMM>();
    CEditorRegistry::Remove<CMdcevMM>();
    CEditorRegistry::Remove<CHazardMM>();
    CEditorRegistry::Remove<CLocationMM>();
    CEditorRegistry::Remove<CStartAndEndTimeMM>();
}

}  // namespace ModelEditors
