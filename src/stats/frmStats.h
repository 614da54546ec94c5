#pragma once
// The player or goalie statistics report window (ReportCode "P" or "G"): it
// computes the report of the selected teams as it opens, shows it in the
// report grid with the name column frozen, and reruns the tail of the
// computation for new parameters, a new report format, a new sort, a minimum
// or another choice of persons. The frame's look and print commands reach it
// as the open report.

#include "shell/ReportWindow.h"
#include "stats/StatsReport.h"

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace vh {

class frmStats : public ReportWindow {
    Q_OBJECT
public:
    frmStats();

    void cmbPlayers_Click();
    void cmdCompute_Click();
    void cmdFormat_Click();
    void cmdSort_Click();
    void cmdMin_Click();
    void cmdMinus_Click();
    void cmdPlus_Click();
    void cmdExit_Click();

    // The report-window members.
    void WriteToDB();
    void SetSplits();
    void SetFontSize(int16_t size) override;
    void BoldFont() override;
    void PrintStatsReport();
    void PrintReport() override { PrintStatsReport(); }

    // The report format chooser behind Format, shown under the cancel-flag
    // protocol; its OK makes the chosen format the current one. Without one
    // the Format button stays off.
    using FormatChooser = std::function<void()>;
    static void setFormatChooser(FormatChooser chooser);

    const StatsReport& report() const { return report_; }
    int columnCount() const { return ColumnCount; }

    ReportGrid* tdbStats = nullptr;
    QComboBox* cmbPlayers = nullptr;
    QLabel* lblPlayers = nullptr;
    QLabel* lblClickFormat = nullptr;
    QPushButton* cmdCompute = nullptr;
    QPushButton* cmdSort = nullptr;
    QPushButton* cmdFormat = nullptr;
    QPushButton* cmdMin = nullptr;
    QPushButton* cmdMinus = nullptr;
    QPushButton* cmdPlus = nullptr;
    QPushButton* cmdExit = nullptr;

protected:
    void Form_Load() override;
    void Form_Unload() override;
    int firstAlignedColumn() const override { return ColumnCount; }
    void fontSizeChanged() override;
    void alignmentChanged(Qt::Alignment alignment) override;
    Qt::Alignment valueAlignment() const override;

private:
    // The steps of the computation.
    void CollectStats();
    void BuildColumns();
    void SortStats();
    void layOutSortAndWrite();
    // Minus and Plus: the name column narrower or wider by `twips`.
    void stepNameColumn(int twips);
    QString windowCaption() const;

    bool goalies() const;
    StatsInput inputFromState() const;
    StatsFormat formatFromState() const;
    void setCaption(const QString& caption);

    StatsReport report_;
    int16_t SelectedPlayer = 0;
    bool PlayersListFilled = false;
    bool FormLoading = false;
    int ColumnCount = 1;
    QChar ColumnAlignment = QLatin1Char('R');
};

}  // namespace vh
