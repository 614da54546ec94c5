#include "stats/StatsReport.h"

namespace vh {

bool StatsReport::gameLog() const { return input.teams.size() < 2 && input.criteria.playerScope == QLatin1String("Y"); }

StatsReport collectStats(Database& db, const StatsInput& input)
{
    StatsReport r;
    r.input = input;
    r.slotList.resize(1);
    r.sortOrder = {0};
    return r;
}

void sortStats(StatsReport& report, int16_t sortCategory, const QString& sortDirection) {}
void applyMinimum(StatsReport& report, const QString& basis, int16_t minimumValue) {}
void clearMinimum(StatsReport& report) { report.separatorPosition = 0; }
ColumnLayout buildColumns(const StatsReport& report, const StatsFormat& format, const ColumnStyle& style,
                          const TextMeasurer& measure)
{
    return {};
}
QStringList statsReportFields(char kind) { return {}; }
QString statsReportTable(char kind) { return kind == 'G' ? QStringLiteral("RptGoalie") : QStringLiteral("RptPlayer"); }
std::vector<QVariantList> statsReportRows(const StatsReport& report) { return {}; }
void writeStatsReport(Database& db, const StatsReport& report) {}

}  // namespace vh
