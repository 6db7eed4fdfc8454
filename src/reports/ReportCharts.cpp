#include "reports/ReportCharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCoreApplication>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <cmath>

namespace {

void addAxes(QChart* chart, const ReportFigures& figures, FigureChart which)
{
    auto* hours = new QBarCategoryAxis(chart);
    for (int hour = figures.firstHour; hour <= figures.lastHour; ++hour)
        hours->append(hourText(hour));
    hours->setTitleText(QCoreApplication::translate("ReportCharts", "Hour of the day"));
    auto* values = new QValueAxis(chart);
    values->setTitleText(chartValueAxis(which));
    values->setMin(0);
    if (which == FigureChart::WithinTarget) {
        values->setMax(100);
        values->setTickCount(6);
        values->setLabelFormat(QStringLiteral("%d"));
    } else {
        values->setLabelFormat(which == FigureChart::Arrivals ? QStringLiteral("%d")
                                                              : QStringLiteral("%.1f"));
    }
    chart->addAxis(hours, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(hours);
        s->attachAxis(values);
    }
    if (which == FigureChart::Arrivals) {
        // Whole tokens: ticks at whole steps, about five of them.
        qreal most = 1;
        for (QAbstractSeries* s : chart->series()) {
            for (QBarSet* set : static_cast<QBarSeries*>(s)->barSets()) {
                for (int i = 0; i < set->count(); ++i)
                    most = qMax(most, set->at(i));
            }
        }
        const qreal step = qMax<qreal>(1, std::ceil(most / 5));
        values->setTickType(QValueAxis::TicksDynamic);
        values->setTickAnchor(0);
        values->setTickInterval(step);
        values->setMax(std::ceil(most / step) * step);
    } else if (which == FigureChart::Waiting) {
        values->applyNiceNumbers();
        values->setMin(0);
    }
}

} // namespace

QChart* makeChart(const ReportFigures& figures, FigureChart which)
{
    auto* chart = new QChart;
    chart->setTitle(chartTitle(which));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);
    if (figures.firstHour < 0 || (which == FigureChart::WithinTarget && !figures.hasTargets))
        return chart;
    const int hours = figures.lastHour - figures.firstHour + 1;
    if (which == FigureChart::Arrivals) {
        auto* bars = new QBarSeries(chart);
        for (const HourlyLine& line : figures.hourly) {
            auto* set = new QBarSet(line.service, bars);
            for (int i = 0; i < hours; ++i)
                set->append(double(line.arrivals[size_t(figures.firstHour + i)]));
            bars->append(set);
        }
        chart->addSeries(bars);
    } else {
        for (const HourlyLine& line : figures.hourly) {
            if (which == FigureChart::WithinTarget && !line.target)
                continue;
            auto* series = new QLineSeries(chart);
            series->setName(line.service);
            series->setPointsVisible(true);
            for (int i = 0; i < hours; ++i) {
                const int hour = figures.firstHour + i;
                const std::optional<double> value =
                    which == FigureChart::Waiting ? line.averageWaiting(hour) : line.withinShare(hour);
                if (value)
                    series->append(i, which == FigureChart::Waiting ? *value : *value * 100.0);
            }
            chart->addSeries(series);
            if (which == FigureChart::WithinTarget) {
                auto* goal = new QLineSeries(chart);
                goal->setName(QCoreApplication::translate("ReportCharts", "%1: target %2 % within %3 min")
                                  .arg(line.service)
                                  .arg(line.target->sharePercent())
                                  .arg(line.target->waitMinutes()));
                goal->append(0, line.target->sharePercent());
                goal->append(hours - 1, line.target->sharePercent());
                chart->addSeries(goal);
                QPen pen(series->color());
                pen.setStyle(Qt::DashLine);
                pen.setWidth(2);
                goal->setPen(pen);
            }
        }
    }
    addAxes(chart, figures, which);
    return chart;
}
