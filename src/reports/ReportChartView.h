#pragma once

#include "reports/ReportFigures.h"

#include <QWidget>

class Dialogs;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;

// The report window's pictures: the chart chosen in the list, drawn from the figures of the last
// report shown, and saved as a PNG picture or an SVG drawing.
class ReportChartView : public QWidget
{
    Q_OBJECT

public:
    ReportChartView(Dialogs& dialogs, QWidget* parent = nullptr);

    QComboBox* cmbChart;
    QChartView* chartView;
    QLabel* lblNoChart;
    QPushButton* cmdSaveChart;

    void setFigures(const ReportFigures& figures);
    FigureChart shown() const;
    // Writes the chart on screen to `file`: SVG for a name ending in .svg, PNG otherwise.
    bool saveChart(const QString& file);
    void cmdSaveChart_Click();

private:
    void draw();

    Dialogs& m_dialogs;
    ReportFigures m_figures;
};
