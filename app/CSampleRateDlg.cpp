#include "app/CSampleRateDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

CSampleRateDlg::CSampleRateDlg(QWidget* parent)
    : QDialog(parent), m_slider(new QSlider(Qt::Horizontal)), m_caption(new QLabel("Using 100% of the dataset")) {
    setWindowTitle("Percent of sample used");
    m_slider->setRange(0, 100);
    m_slider->setValue(100);
    m_slider->setTickPosition(QSlider::NoTicks);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Please select the percentage of dataset to be used in the simulation "));
    layout->addWidget(m_slider);
    layout->addWidget(m_caption);
    layout->addWidget(buttons);
    connect(m_slider, &QSlider::sliderReleased, this, &CSampleRateDlg::onSliderReleased);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int CSampleRateDlg::Position() const { return m_slider->value(); }

QString CSampleRateDlg::CaptionLine() const { return m_caption->text(); }

void CSampleRateDlg::onSliderReleased() {
    m_caption->setText(QString("Using %1 % of the data set").arg(m_slider->value()));
}
