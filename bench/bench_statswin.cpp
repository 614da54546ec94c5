// Measures the statistics report window on a full league (30 teams, 80 games
// each, 25 players and 2 goalies a game, all teams selected, one line per
// person and team): opening the window with the player report (collect,
// columns, sort, rows written and shown in the grid), printing that report
// to a PDF file, and opening its print preview until the pages show. Prints
// the median and the worst of several runs, the rows shown and the pages
// printed. Arguments: the number of runs (7), the number of teams (30),
// "wide" for a report of 20 categories, "long" for team names that wrap in
// print, or both ("wide,long").

#include "SeasonDatabase.h"
#include "platform/MsgBox.h"
#include "shell/Categories.h"
#include "shell/Globals.h"
#include "shell/Procedures.h"
#include "shell/ReportPrinter.h"
#include "shell/Startup.h"
#include "stats/frmStats.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace vh;

namespace {

struct Figures {
    std::vector<double> ms;
    void add(const QElapsedTimer& t) { ms.push_back(double(t.nsecsElapsed()) / 1e6); }
    double median()
    {
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    }
    double worst() const { return *std::max_element(ms.begin(), ms.end()); }
};

// The state the start-up and the frame's Player Statistics leave, with every
// team of the league selected.
void selectLeague(const bench::SeasonSize& size, bool wide, bool longNames)
{
    g.MsgStyleWarn = 48;
    g.FormOpen.redim(19, False);
    LoadNameYourOwnCats();
    for (CatKind kind : {CatKind::Player, CatKind::Goalie})
        BuildCatAbbrev(kind);
    g.NumberGameTypes = 1;
    g.GameTypeNumbers.redim(1, 0);
    g.GameTypeDescriptions.redim(1);
    g.GameTypeDescriptions[1] = QStringLiteral("No Game Type");
    g.NumTeams = int16_t(size.teams);
    g.TeamNumbers.redim(size.teams, 0);
    g.ShortTeamNames.redim(size.teams);
    g.LongTeamNames.redim(size.teams);
    g.TeamSelected.redim(size.teams, True);
    for (int t = 1; t <= size.teams; ++t) {
        g.TeamNumbers[t] = int16_t(t);
        g.ShortTeamNames[t] = (longNames ? QStringLiteral("Pine Ridge Bears %1") : QStringLiteral("Team %1")).arg(t);
    }
    g.SelectedTeamCount = int16_t(size.teams);
    g.CurrentTeam = 1;
    g.SelectedTeamCaption = QStringLiteral("Multiple Teams");
    g.PlayerReportLine.redim(28, 0);
    const int16_t line[] = {1, 3, 5, 15, 16, 14, 17, 19, 23};
    for (int i = 0; i < 9; ++i)
        g.PlayerReportLine[i + 1] = line[i];
    // A wide report: the first 20 categories, printed across a landscape page.
    for (int i = 1; wide && i <= 20; ++i)
        g.PlayerReportLine[i] = int16_t(i);
    g.PlayerSortCategory = 16;
    g.PlayerSortDirection = "D";
    g.MinutesPerGameOption = 60;
    g.ShowPlayerNumberOption = True;
    ResetComputeCriteria();
    g.ReportCode = "P";
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::failOnMessageBox();
    const auto dir = bench::leagueFolder();
    const QString mdb = dir->path() + QStringLiteral("/murqn.mdb");
    bench::SeasonSize size;
    if (argc > 2)
        size.teams = std::max(2, atoi(argv[2]));
    bench::buildLeague(mdb, size);
    g.Db = Database::open(mdb, DatabaseConnect());
    const QByteArray look = argc > 3 ? QByteArray(argv[3]) : QByteArray();
    selectLeague(size, look.contains("wide"), look.contains("long"));

    const QString pdf = dir->path() + QStringLiteral("/report.pdf");
    const auto oldHook = ReportPrinter::setPreviewHook(
        [&](QPrinter&, const ReportPrinter& report) { report.writePdf(pdf); });

    Figures open;
    Figures print;
    Figures preview;
    int rows = 0;
    int pages = 0;
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        frmStats* w = Load<frmStats>();
        open.add(t);
        if (!w)
            return 1;
        rows = w->tdbStats->model()->rowCount();

        QFile::remove(pdf);
        t.restart();
        w->PrintStatsReport();
        print.add(t);
        if (!QFile::exists(pdf))
            return 1;
        const ReportTableModel* m = w->tdbStats->model();
        ReportPrinter probe(*m, w->tdbStats->look(), w->tdbStats->caption());
        if (run == 0) {
            probe.writePdf(dir->path() + QStringLiteral("/probe.pdf"));
            pages = probe.lastPageCount();
            // VH_GRAB_DIR keeps the printed report to look at.
            if (!qEnvironmentVariableIsEmpty("VH_GRAB_DIR"))
                QFile::copy(pdf, qEnvironmentVariable("VH_GRAB_DIR") + QStringLiteral("/league-report.pdf"));
        }
        // The preview: from the command until its pages are shown.
        ReportPrinter::setPreviewHook({});
        QTimer::singleShot(0, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                dialog->grab();  // the pages painted as the user sees them
                preview.add(t);
                dialog->close();
            }
        });
        t.restart();
        w->PrintStatsReport();
        ReportPrinter::setPreviewHook([&](QPrinter&, const ReportPrinter& report) { report.writePdf(pdf); });
        w->unloadForm();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ReportPrinter::setPreviewHook(oldHook);

    std::printf("player report window, %d rows: open median %.1f ms, worst %.1f ms\n", rows, open.median(),
                open.worst());
    std::printf("printing it to PDF, %d pages: median %.1f ms, worst %.1f ms\n", pages, print.median(),
                print.worst());
    std::printf("its print preview shown: median %.1f ms, worst %.1f ms\n", preview.median(), preview.worst());
    return 0;
}
