#include "reports/ReportChartView.h"

#include "reports/ReportCharts.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>

ReportChartView::ReportChartView(Dialogs& dialogs, QWidget* parent) : QWidget(parent), m_dialogs(dialogs)
{
    cmbChart = named(new QComboBox(this), "cmbChart");
    for (FigureChart c : {FigureChart::Arrivals, FigureChart::Waiting, FigureChart::WithinTarget})
        cmbChart->addItem(chartTitle(c), int(c));
    cmdSaveChart = named(new QPushButton(tr("Save Chart..."), this), "cmdSaveChart");
    chartView = named(new QChartView(this), "chartView");
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumHeight(260);
    lblNoChart = named(new QLabel(this), "lblNoChart");
    lblNoChart->setAlignment(Qt::AlignCenter);
    lblNoChart->setVisible(false);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Chart"), this));
    top->addWidget(cmbChart);
    top->addStretch();
    top->addWidget(cmdSaveChart);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(chartView, 1);
    layout->addWidget(lblNoChart);

    connect(cmbChart, &QComboBox::currentIndexChanged, this, [this] { draw(); });
    connect(cmdSaveChart, &QPushButton::clicked, this, [this] { cmdSaveChart_Click(); });
    draw();
}

FigureChart ReportChartView::shown() const
{
    return FigureChart(cmbChart->currentData().toInt());
}

void ReportChartView::setFigures(const ReportFigures& figures)
{
    m_figures = figures;
    draw();
}

void ReportChartView::draw()
{
    QChart* old = chartView->chart();
    chartView->setChart(makeChart(m_figures, shown()));
    delete old;
    QString note;
    if (m_figures.firstHour < 0)
        note = tr("No tokens were issued in this period.");
    else if (shown() == FigureChart::WithinTarget && !m_figures.hasTargets)
        note = tr("No service of this report has a target.");
    lblNoChart->setText(note);
    lblNoChart->setVisible(!note.isEmpty());
    cmdSaveChart->setEnabled(note.isEmpty());
}

bool ReportChartView::saveChart(const QString& file)
{
    // Drawn at a size of its own, whatever the size of the window (or whether its page is shown).
    const QSize size(1000, 600);
    QChartView page(makeChart(m_figures, shown()));
    page.setRenderHint(QPainter::Antialiasing);
    page.setAttribute(Qt::WA_DontShowOnScreen);
    page.resize(size);
    page.show();
    QCoreApplication::sendPostedEvents();
    QPainter painter;
    if (file.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(chartTitle(shown()));
        if (!painter.begin(&svg))
            return false;
        page.render(&painter);
        return painter.end();
    }
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    if (!painter.begin(&picture))
        return false;
    page.render(&painter);
    painter.end();
    return picture.save(file, "PNG");
}

void ReportChartView::cmdSaveChart_Click()
{
    QString file = m_dialogs.saveFileName(tr("Save Chart"), tr("PNG picture (*.png);;SVG drawing (*.svg)"),
                                          cmbChart->currentText() + QStringLiteral(".png"), this);
    if (file.isEmpty())
        return;
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("svg"))
        file += QStringLiteral(".png");
    if (!saveChart(file))
        m_dialogs.message(tr("The chart cannot be written to\n%1\nChoose another folder or name.").arg(file),
                          Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
}
