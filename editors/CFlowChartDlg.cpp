#include "editors/CFlowChartDlg.h"

#include "editors/CButtonST.h"
#include "platform/NumberText.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

const SFlowChart& ChartOrThrow(int number) {
    const SFlowChart* chart = FlowChartTable::FindChart(number);
    if (chart == nullptr) throw std::invalid_argument("no flow chart " + NumberText::Integer(number));
    return *chart;
}

QFrame* EtchedLine(QFrame::Shape shape) {
    auto* line = new QFrame;
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

CFlowChartDlg::CFlowChartDlg(int chartNumber, CommandDispatcher dispatcher, QWidget* parent)
    : QDialog(parent), m_chart(ChartOrThrow(chartNumber)), m_dispatch(std::move(dispatcher)) {
    setWindowTitle(QString::fromUtf8(m_chart.caption));
    setObjectName(QStringLiteral("flowChart%1").arg(m_chart.number));
    m_openChart = [this](int number) {
        CFlowChartDlg chart(number, m_dispatch);
        chart.exec();
    };

    const QFontMetrics metrics(font());
    const int boxWidth = metrics.averageCharWidth() * 34;
    auto* flow = new QVBoxLayout;
    flow->addStretch();
    bool first = true;
    for (const SChartBox& box : m_chart.boxes) {
        if (!first) {
            auto* arrow = new QLabel(QStringLiteral("\u2193"));
            arrow->setAlignment(Qt::AlignCenter);
            flow->addWidget(arrow);
        }
        first = false;
        auto* button = new CButtonST(QString::fromUtf8(box.text));
        button->setObjectName(QStringLiteral("box%1").arg(box.controlId));
        button->setMinimumSize(boxWidth, metrics.height() * 3 + 8);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        ApplyFamilyColours(*button, box.family);
        button->SetColoursResetHandler([button, family = box.family] { ApplyFamilyColours(*button, family); });
        connect(button, &QPushButton::clicked, this, [this, &box] { OnBoxClicked(box); });
        flow->addWidget(button);
        m_boxes[box.controlId] = button;
    }
    flow->addStretch();

    auto* body = new QHBoxLayout;
    body->addLayout(flow, 3);
    if (!m_chart.labels.empty()) {
        auto* notes = new QVBoxLayout;
        for (const char* text : m_chart.labels) {
            auto* label = new QLabel(QString::fromUtf8(text));
            label->setWordWrap(true);
            notes->addWidget(label);
        }
        notes->addStretch();
        body->addWidget(EtchedLine(QFrame::VLine));
        body->addLayout(notes, 2);
    }

    auto* buttons = new QDialogButtonBox;
    QPushButton* close = buttons->addButton(QString::fromUtf8(m_chart.closeText), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("closeButton"));
    if (m_chart.hasCancel) buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(EtchedLine(QFrame::HLine));
    layout->addWidget(buttons);

    // The chart's size in dialog units, as a starting size the layout may outgrow.
    const QSize units(m_chart.width * metrics.averageCharWidth() / 4, m_chart.height * metrics.height() / 8);
    resize(units.expandedTo(sizeHint()));
}

CButtonST* CFlowChartDlg::Box(int controlId) const {
    const auto found = m_boxes.find(controlId);
    return found == m_boxes.end() ? nullptr : found->second;
}

void CFlowChartDlg::ApplyFamilyColours(CButtonST& button, int family) {
    const SColourFamily* colours = FlowChartTable::FindFamily(family);
    if (colours == nullptr) return;  // the palette's colours stay
    button.SetColor(CButtonST::kBackgroundOut, CButtonST::FromColorRef(colours->normal));
    button.SetColor(CButtonST::kForegroundOut, CButtonST::FromColorRef(FlowChartTable::kWhite));
    button.SetColor(CButtonST::kBackgroundIn, CButtonST::FromColorRef(colours->light));
    button.SetColor(CButtonST::kForegroundIn, CButtonST::FromColorRef(FlowChartTable::kBlack));
    button.SetColor(CButtonST::kBackgroundFocus, CButtonST::FromColorRef(colours->focused));
    button.SetColor(CButtonST::kForegroundFocus, CButtonST::FromColorRef(FlowChartTable::kWhite));
}

void CFlowChartDlg::OnBoxClicked(const SChartBox& box) {
    switch (box.action) {
    case BoxAction::OpenChart:
        if (m_openChart) m_openChart(box.target);
        break;
    case BoxAction::RunCommands:
        // One editor after the other; cancelling one does not stop the next.
        for (int i = 0; i < box.commandCount; ++i)
            if (m_dispatch) m_dispatch(FlowChartTable::BoxCommand(box, i));
        break;
    case BoxAction::Nothing:
        break;
    }
}

void CFlowChartDlg::ShowTopChart(CommandDispatcher dispatcher, QWidget* parent) {
    CFlowChartDlg chart(FlowChartTable::kTopChart, std::move(dispatcher), parent);
    chart.exec();
}
