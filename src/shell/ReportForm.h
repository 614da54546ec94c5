#pragma once
// The commands every report window offers, and their dispatch from the
// frame's toolbar, font boxes and Print command to the report that is open,
// chosen by ReportCode.

#include <QString>
#include <cstdint>

namespace vh {

// A report window derives from Form and from this. The frame reaches it
// through its open-window number, so the window only has to be loaded.
class ReportForm {
public:
    virtual ~ReportForm() = default;
    // An empty name is ignored.
    virtual void SetFont(const QString& fontName) = 0;
    // A size of 0 or less is ignored.
    virtual void SetFontSize(int16_t size) = 0;
    // Each flips its flag (ReportBold, ReportItalic, ReportUnderline,
    // ReportGridLines) and applies it.
    virtual void BoldFont() = 0;
    virtual void ItalicFont() = 0;
    virtual void UnderlineFont() = 0;
    virtual void GridLines() = 0;
    virtual void AlignLeft() = 0;
    virtual void AlignCenter() = 0;
    virtual void AlignRight() = 0;
    // The window's own print member: PrintStatsReport, PrintScoresReport,
    // PrintRecordReport, PrintStandingsReport or PrintRosterReport.
    virtual void PrintReport() = 0;
};

// The open-window number of the report window a report code names ("P" and
// "G" the statistics window, "O" game scores, "M" team scoring, "R" record,
// "S" standings, "T" roster), 0 for any other code.
int ReportFormNumber(const QString& reportCode);
// The open report window that ReportCode names, or nullptr.
ReportForm* ActiveReportForm();

// The bodies of the frame's cmbFonts_Click and cmbFontSize_Click: the chosen
// entry goes to the open report (a size as its leading number).
void SendChosenFontName();
void SendChosenFontSize();

// Selects the name in the frame's font box (exactly, case counts) and sends it
// to the open report as the user's choice would; an unknown name changes
// nothing.
void SelectFontName(const QString& fontName);
// Selects 8, 10, 12, 14, 18 or 24 in the frame's size box and sends it to the
// open report; any other size changes nothing.
void SelectFontSize(int16_t size);

void PrintActiveReport();
void AlignLeftActiveReport();
void AlignCenterActiveReport();
void AlignRightActiveReport();
// Each sets its toolbar button to the state the flag is about to take, then
// sends the command to the open report.
void ToggleBold();
void ToggleItalic();
void ToggleUnderline();
void ToggleGridLines();

}  // namespace vh
