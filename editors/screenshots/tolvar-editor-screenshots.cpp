// Renders the README's pictures of the editors without a screen: the hazard
// editor of "Children's school Start time" with its baseline pages open, and
// the top flow chart, each written as a PNG into the given folder. The model
// values come from the sample model file, the column names from the sample
// region's schema, so the pictures can be retaken after any change:
//
//     QT_QPA_PLATFORM=offscreen build/editors/tolvar-editor-screenshots docs sample/tolvar-sample.tvm

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "data/CVehMData.h"
#include "data/CZoneData.h"
#include "editors/CFlowChartDlg.h"
#include "editors/CHazardDLG.h"
#include "models/CHazardMM.h"
#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/CModelSystem.h"
#include "tools/SampleRegionSchema.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>

#include <cstdio>
#include <string>
#include <vector>

namespace {

template <class Columns>
std::vector<std::string> Names(const Columns& columns) {
    return std::vector<std::string>(columns.begin(), columns.end());
}

bool Save(QWidget& widget, const QString& path) {
    widget.show();
    QApplication::processEvents();
    const bool saved = widget.grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <output folder> <model-parameter file>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);

    CHouseholdObject(nullptr).SetColumnNames(Names(SampleRegionSchema::kHouseholdColumns));
    CPersonObject(nullptr).SetColumnNames(Names(SampleRegionSchema::kPersonColumns));
    CZoneData().SetColumnNames(Names(SampleRegionSchema::kZoneColumns));
    CVehMData().SetColumnNames(Names(SampleRegionSchema::kVehicleMakeColumns));

    CModelSystem models;
    if (!CModelParameterFile().LoadXml(argv[2], models)) {
        std::fprintf(stderr, "cannot load %s\n", argv[2]);
        return 1;
    }
    const CHazardMM& hazard = *models.m_pChildrensSchoolStartTime;
    CHazardDLG editor(hazard, CHazardMM::Parameters{hazard.m_terms, hazard.m_fVariance, hazard.m_nIntervalCount,
                                                    hazard.m_intervalStarts, hazard.m_intervalParameters});
    editor.findChild<QListWidget*>(QStringLiteral("sourceList"))->setCurrentRow(1);
    editor.findChild<QListWidget*>(QStringLiteral("variableList"))->setCurrentRow(8);
    editor.findChild<QPushButton*>(QStringLiteral("editValuesButton"))->click();
    editor.resize(editor.sizeHint().expandedTo(QSize(900, 0)));

    CFlowChartDlg chart(1, nullptr);
    const bool saved = Save(editor, folder + QStringLiteral("/editor-hazard.png")) &&
                       Save(chart, folder + QStringLiteral("/flow-chart-top.png"));
    return saved ? 0 : 1;
}
