#include "shell/ReportForm.h"

#include "platform/basic/Basic.h"
#include "shell/Form.h"
#include "shell/Frame.h"
#include "shell/Globals.h"
#include "shell/Procedures.h"

#include <QAction>
#include <QComboBox>
#include <QSignalBlocker>

namespace vh {

int ReportFormNumber(const QString& reportCode)
{
    if (reportCode == QLatin1String("P") || reportCode == QLatin1String("G"))
        return FormNo::Stats;
    if (reportCode == QLatin1String("O"))
        return FormNo::Scores;
    if (reportCode == QLatin1String("M"))
        return FormNo::TeamScores;
    if (reportCode == QLatin1String("R"))
        return FormNo::Record;
    if (reportCode == QLatin1String("S"))
        return FormNo::Standings;
    if (reportCode == QLatin1String("T"))
        return FormNo::RosterRpt;
    return 0;
}

ReportForm* ActiveReportForm()
{
    const int n = ReportFormNumber(g.ReportCode.str());
    if (n == 0)
        return nullptr;
    Form* f = openForm(n);
    return f && f->isLoaded() ? dynamic_cast<ReportForm*>(f) : nullptr;
}

namespace {

template <typename F>
void dispatch(F&& command)
{
    if (ReportForm* r = ActiveReportForm())
        command(*r);
}

// The box's entry is chosen from code without firing the box's own signal;
// the caller then runs the click handler exactly once, as a click would.
bool selectEntry(QComboBox* box, int index)
{
    if (!box || index < 0 || index >= box->count())
        return false;
    const QSignalBlocker block(box);
    box->setCurrentIndex(index);
    return true;
}

void toggle(const char* key, int16_t flag, void (ReportForm::*member)())
{
    if (g.Frame) {
        if (QAction* button = g.Frame->toolbarButton(QLatin1String(key)))
            button->setChecked(flag != True);
    }
    dispatch([member](ReportForm& r) { (r.*member)(); });
}

}  // namespace

void SendChosenFontName()
{
    QComboBox* box = g.Frame ? g.Frame->fontNameBox() : nullptr;
    if (!box || box->currentIndex() < 0)
        return;
    const QString name = box->currentText();
    dispatch([&](ReportForm& r) { r.SetFont(name); });
}

void SendChosenFontSize()
{
    QComboBox* box = g.Frame ? g.Frame->fontSizeBox() : nullptr;
    if (!box || box->currentIndex() < 0)
        return;
    const int16_t size = CInt(Val(box->currentText()));
    dispatch([&](ReportForm& r) { r.SetFontSize(size); });
}

void SelectFontName(const QString& fontName)
{
    QComboBox* box = g.Frame ? g.Frame->fontNameBox() : nullptr;
    if (!box)
        return;
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i) == fontName) {
            if (selectEntry(box, i))
                SendChosenFontName();
            return;
        }
    }
}

void SelectFontSize(int16_t size)
{
    static const int16_t sizes[] = {8, 10, 12, 14, 18, 24};
    for (int i = 0; i < 6; ++i) {
        if (sizes[i] == size) {
            if (selectEntry(g.Frame ? g.Frame->fontSizeBox() : nullptr, i))
                SendChosenFontSize();
            return;
        }
    }
}

void PrintActiveReport()
{
    dispatch([](ReportForm& r) { r.PrintReport(); });
}

void AlignLeftActiveReport()
{
    dispatch([](ReportForm& r) { r.AlignLeft(); });
}

void AlignCenterActiveReport()
{
    dispatch([](ReportForm& r) { r.AlignCenter(); });
}

void AlignRightActiveReport()
{
    dispatch([](ReportForm& r) { r.AlignRight(); });
}

void ToggleBold() { toggle("Bold", g.ReportBold, &ReportForm::BoldFont); }
void ToggleItalic() { toggle("Italic", g.ReportItalic, &ReportForm::ItalicFont); }
void ToggleUnderline() { toggle("Underline", g.ReportUnderline, &ReportForm::UnderlineFont); }
void ToggleGridLines() { toggle("GridLines", g.ReportGridLines, &ReportForm::GridLines); }

}  // namespace vh
