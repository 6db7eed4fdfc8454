#include "reports/ReportColumns.h"

const std::vector<ReportColumn>& reportColumns()
{
    static const std::vector<ReportColumn> columns{{"", 1},
                                                   {QT_TRANSLATE_NOOP("ReportColumns", "SN"), 1200},
                                                   {QT_TRANSLATE_NOOP("ReportColumns", "Dept."), 1900},
                                                   {QT_TRANSLATE_NOOP("ReportColumns", "Service"), 1900},
                                                   {QT_TRANSLATE_NOOP("ReportColumns", "Token"), 1200},
                                                   {QT_TRANSLATE_NOOP("ReportColumns", "Date"), 1200},
                                                   {QT_TRANSLATE_NOOP("ReportColumns", "Counter"), 1900},
                                                   {QT_TRANSLATE_NOOP("ReportColumns", "From"), 1200},
                                                   {QT_TRANSLATE_NOOP("ReportColumns", "To"), 1200},
                                                   {QT_TRANSLATE_NOOP("ReportColumns", "Duration"), 1200},
                                                   {QT_TRANSLATE_NOOP("ReportColumns", "Waiting"), 1200},
                                                   {QT_TRANSLATE_NOOP("ReportColumns", "Status"), 1300},
                                                   {QT_TRANSLATE_NOOP("ReportColumns", "Display Name"), 1900},
                                                   {QT_TRANSLATE_NOOP("ReportColumns", "Why Called"), 4000},
                                                   {"", 5000}};
    return columns;
}

modExcel::GridModel reportSheetModel(std::vector<GridRow>&& rows)
{
    const std::vector<ReportColumn>& columns = reportColumns();
    const int cols = int(columns.size());
    modExcel::GridModel m;
    m.resize(int(rows.size()) + 1, cols);
    m.rowHeights.fill(240, m.rows());
    m.mergeRow.fill(false, m.rows());
    m.mergeCol.fill(false, cols);
    for (int c = 0; c < cols; ++c) {
        m.colWidths.append(columns[size_t(c)].twips);
        m.setText(0, c, QString::fromLatin1(columns[size_t(c)].heading));
    }
    for (size_t r = 0; r < rows.size(); ++r)
        m.setRow(int(r) + 1, std::move(rows[r]));
    return m;
}
