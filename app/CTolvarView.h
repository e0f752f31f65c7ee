#pragma once
// The main window's view: the program's picture, centred and moved 30 pixels
// down, under four lines that state the run settings (input database,
// model-parameter file, sample rate, database type).

#include <QPixmap>
#include <QWidget>

struct SViewSettings;

class CTolvarView : public QWidget {
    Q_OBJECT
public:
    explicit CTolvarView(const SViewSettings& settings, QWidget* parent = nullptr);

public slots:
    // The settings changed: repaint.
    void onSettingsChanged() { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const SViewSettings& m_settings;
    QPixmap m_picture;
};
