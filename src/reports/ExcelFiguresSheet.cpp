#include "reports/ExcelFiguresSheet.h"

#include "reports/ExcelSheetWriter.h"

#include <QCoreApplication>

namespace modExcel {

namespace {

void check(lxw_error e)
{
    if (e != LXW_NO_ERROR)
        throw WriteFailure{e};
}

QByteArray utf8(const QString& text)
{
    return text.toUtf8();
}

class FiguresWriter
{
public:
    FiguresWriter(lxw_workbook* book, const ReportFigures& figures)
        : m_book(book), m_figures(figures), m_name(utf8(figuresSheetName()))
    {
        m_sheet = workbook_add_worksheet(book, m_name.constData());
        if (!m_sheet)
            throw WriteFailure{LXW_ERROR_MEMORY_MALLOC_FAILED};
        m_bold = workbook_add_format(book);
        format_set_bold(m_bold);
        m_minutes = workbook_add_format(book);
        format_set_num_format(m_minutes, "0.0");
        m_share = workbook_add_format(book);
        format_set_num_format(m_share, "0%");
        m_boldMinutes = workbook_add_format(book);
        format_set_bold(m_boldMinutes);
        format_set_num_format(m_boldMinutes, "0.0");
        m_boldShare = workbook_add_format(book);
        format_set_bold(m_boldShare);
        format_set_num_format(m_boldShare, "0%");
    }

    void write()
    {
        writeTotals();
        if (m_figures.firstHour >= 0 && !m_figures.hourly.isEmpty()) {
            writeSeries();
            addCharts();
        }
        check(worksheet_set_column(m_sheet, 0, 0, 24, nullptr));
        check(worksheet_set_column(m_sheet, 1, lxw_col_t(qMax(8, int(m_figures.hourly.size()) * 3)), 13,
                                   nullptr));
    }

private:
    void text(lxw_row_t r, lxw_col_t c, const QString& t, lxw_format* f = nullptr)
    {
        check(worksheet_write_string(m_sheet, r, c, utf8(t).constData(), f));
    }
    void number(lxw_row_t r, lxw_col_t c, double v, lxw_format* f = nullptr)
    {
        check(worksheet_write_number(m_sheet, r, c, v, f));
    }
    void optionalNumber(lxw_row_t r, lxw_col_t c, const std::optional<double>& v, lxw_format* f)
    {
        if (v)
            number(r, c, *v, f);
    }

    void writeTotals()
    {
        const QStringList headings = totalsHeadings(m_figures.kind);
        for (int c = 0; c < headings.size(); ++c) {
            QString heading = headings[c];
            if (c >= 5 && c <= 7)
                heading += QCoreApplication::translate("modExcel", " (min)");
            text(0, lxw_col_t(c), heading, m_bold);
        }
        lxw_row_t r = 1;
        for (const TotalsLine& l : m_figures.totals) {
            const bool all = r == lxw_row_t(m_figures.totals.size());
            text(r, 0, l.name, all ? m_bold : nullptr);
            const qint64 counts[] = {l.tokens, l.served, l.cancelled, l.waitingNow};
            for (int c = 0; c < 4; ++c)
                number(r, lxw_col_t(c + 1), double(counts[c]), all ? m_bold : nullptr);
            optionalNumber(r, 5, l.averageWaiting, all ? m_boldMinutes : m_minutes);
            optionalNumber(r, 6, l.waiting90, all ? m_boldMinutes : m_minutes);
            optionalNumber(r, 7, l.averageService, all ? m_boldMinutes : m_minutes);
            optionalNumber(r, 8, l.withinTarget, all ? m_boldShare : m_share);
            number(r, 9, double(l.notArrived), all ? m_bold : nullptr);
            ++r;
        }
        m_seriesHead = r + 1;
    }

    // Under the totals: a row per hour, a column per service for each series.
    void writeSeries()
    {
        const int services = int(m_figures.hourly.size());
        text(m_seriesHead, 0, QCoreApplication::translate("modExcel", "Hour"), m_bold);
        for (int s = 0; s < services; ++s) {
            const QString& name = m_figures.hourly[s].service;
            text(m_seriesHead, column(FigureChart::Arrivals, s),
                 QCoreApplication::translate("modExcel", "%1: tokens").arg(name), m_bold);
            text(m_seriesHead, column(FigureChart::Waiting, s),
                 QCoreApplication::translate("modExcel", "%1: avg waiting (min)").arg(name), m_bold);
            if (m_figures.hasTargets)
                text(m_seriesHead, column(FigureChart::WithinTarget, s),
                     QCoreApplication::translate("modExcel", "%1: within target").arg(name), m_bold);
        }
        for (int hour = m_figures.firstHour; hour <= m_figures.lastHour; ++hour) {
            const lxw_row_t r = row(hour);
            text(r, 0, hourText(hour));
            for (int s = 0; s < services; ++s) {
                const HourlyLine& line = m_figures.hourly[s];
                number(r, column(FigureChart::Arrivals, s), double(line.arrivals[size_t(hour)]));
                optionalNumber(r, column(FigureChart::Waiting, s), line.averageWaiting(hour), m_minutes);
                if (m_figures.hasTargets)
                    optionalNumber(r, column(FigureChart::WithinTarget, s), line.withinShare(hour), m_share);
            }
        }
    }

    lxw_row_t row(int hour) const { return m_seriesHead + 1 + lxw_row_t(hour - m_figures.firstHour); }
    lxw_col_t column(FigureChart chart, int service) const
    {
        return lxw_col_t(1 + int(chart) * int(m_figures.hourly.size()) + service);
    }

    void addCharts()
    {
        QVector<FigureChart> charts{FigureChart::Arrivals, FigureChart::Waiting};
        if (m_figures.hasTargets)
            charts.append(FigureChart::WithinTarget);
        // Beside the totals, one under the other.
        const lxw_col_t beside = lxw_col_t(qMax(10, 2 + int(charts.size()) * int(m_figures.hourly.size())));
        lxw_row_t at = 0;
        for (FigureChart chart : charts) {
            lxw_chart* c = workbook_add_chart(m_book, chart == FigureChart::Arrivals ? LXW_CHART_COLUMN
                                                                                     : LXW_CHART_LINE);
            if (!c)
                throw WriteFailure{LXW_ERROR_MEMORY_MALLOC_FAILED};
            const QByteArray title = utf8(chartTitle(chart));
            chart_title_set_name(c, title.constData());
            const QByteArray hourAxis = utf8(QCoreApplication::translate("modExcel", "Hour of the day"));
            chart_axis_set_name(c->x_axis, hourAxis.constData());
            const QByteArray valueAxis = utf8(chartValueAxis(chart));
            chart_axis_set_name(c->y_axis, valueAxis.constData());
            if (chart == FigureChart::WithinTarget) {
                chart_axis_set_min(c->y_axis, 0);
                chart_axis_set_max(c->y_axis, 1);
                chart_axis_set_num_format(c->y_axis, "0%");
            }
            chart_legend_set_position(c, LXW_CHART_LEGEND_BOTTOM);
            for (int s = 0; s < m_figures.hourly.size(); ++s) {
                if (chart == FigureChart::WithinTarget && !m_figures.hourly[s].target)
                    continue;
                lxw_chart_series* series = chart_add_series(c, nullptr, nullptr);
                if (!series)
                    throw WriteFailure{LXW_ERROR_MEMORY_MALLOC_FAILED};
                chart_series_set_categories(series, m_name.constData(), row(m_figures.firstHour), 0,
                                            row(m_figures.lastHour), 0);
                const lxw_col_t col = column(chart, s);
                chart_series_set_values(series, m_name.constData(), row(m_figures.firstHour), col,
                                        row(m_figures.lastHour), col);
                chart_series_set_name_range(series, m_name.constData(), m_seriesHead, col);
                if (chart != FigureChart::Arrivals)
                    chart_series_set_marker_type(series, LXW_CHART_MARKER_CIRCLE);
            }
            lxw_chart_options options{};
            options.x_scale = 1.4;
            options.y_scale = 1.2;
            check(worksheet_insert_chart_opt(m_sheet, at, beside, c, &options));
            at += 19;
        }
    }

    lxw_workbook* m_book;
    const ReportFigures& m_figures;
    QByteArray m_name;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_bold = nullptr;
    lxw_format* m_minutes = nullptr;
    lxw_format* m_share = nullptr;
    lxw_format* m_boldMinutes = nullptr;
    lxw_format* m_boldShare = nullptr;
    lxw_row_t m_seriesHead = 0;
};

} // namespace

QString figuresSheetName()
{
    return QCoreApplication::translate("modExcel", "Totals");
}

void writeFiguresSheet(lxw_workbook* book, const ReportFigures& figures)
{
    FiguresWriter(book, figures).write();
}

} // namespace modExcel
