#pragma once

#include "reports/ReportFigures.h"

class QChart;

// A chart of a report's figures: one bar set (tokens issued) or one line (average waiting, share
// within target, in per cent) per service over the hours the figures span. A series holds a point
// for each hour that has a value; the x of a point is the hour's place among the categories. The
// share within target also draws each service's target as a dashed line. Empty when the figures
// count no token, or (share within target) when no service has a target.
QChart* makeChart(const ReportFigures& figures, FigureChart which);
