#pragma once
// The sample-rate dialog (command 32772, reached by its ID only): the
// percentage of households the household loop simulates, 0 to 100.

#include <QDialog>

class QLabel;
class QSlider;

class CSampleRateDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSampleRateDlg(QWidget* parent = nullptr);
    int Position() const;
    double GetFraction() const { return Position() / 100.0; }
    QSlider* Slider() const { return m_slider; }
    QString CaptionLine() const;

private slots:
    // The caption line follows the thumb when the user lets go of it.
    void onSliderReleased();

private:
    QSlider* m_slider;
    QLabel* m_caption;
};
