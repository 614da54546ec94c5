#pragma once
// Stand-ins for windows the frame opens: report windows that record the
// commands they receive, and plain child windows that record their unload.

#include "shell/Form.h"
#include "shell/Frame.h"
#include "app/FrmMDI.h"
#include "shell/Globals.h"
#include "shell/ReportForm.h"

#include <QAction>
#include <QStringList>
#include <functional>

namespace vh::test {

// Everything the stand-ins saw, in order.
inline QStringList& trace()
{
    static QStringList t;
    return t;
}

inline bool buttonDown(const char* key)
{
    QAction* a = g.Frame ? g.Frame->toolbarButton(QLatin1String(key)) : nullptr;
    return a && a->isChecked();
}

inline void flip(int16_t& flag) { flag = flag == True ? False : True; }

// A report window by its open-window number. Its load may run a check, as a
// real report's load computes; the toggles record the button's state at the
// moment they are called.
template <int N>
class ReportDouble : public Form, public ReportForm {
public:
    ReportDouble() : Form(N) { setDesignSize(3000, 2000); }
    static inline std::function<void()> onLoad;

    void SetFont(const QString& name) override { trace() << QStringLiteral("SetFont ") + name; }
    void SetFontSize(int16_t size) override { trace() << QStringLiteral("SetFontSize %1").arg(size); }
    void BoldFont() override { toggled("BoldFont", "Bold", g.ReportBold); }
    void ItalicFont() override { toggled("ItalicFont", "Italic", g.ReportItalic); }
    void UnderlineFont() override { toggled("UnderlineFont", "Underline", g.ReportUnderline); }
    void GridLines() override { toggled("GridLines", "GridLines", g.ReportGridLines); }
    void AlignLeft() override { trace() << QStringLiteral("AlignLeft %1").arg(N); }
    void AlignCenter() override { trace() << QStringLiteral("AlignCenter %1").arg(N); }
    void AlignRight() override { trace() << QStringLiteral("AlignRight %1").arg(N); }
    void PrintReport() override { trace() << QStringLiteral("Print %1").arg(N); }

protected:
    void Form_Load() override
    {
        trace() << QStringLiteral("load %1").arg(N);
        if (onLoad)
            onLoad();
    }
    void Form_Unload() override { trace() << QStringLiteral("close %1").arg(N); }

private:
    void toggled(const char* member, const char* key, int16_t& flag)
    {
        trace() << QStringLiteral("%1 %2").arg(QLatin1String(member), buttonDown(key) ? QStringLiteral("down")
                                                                                        : QStringLiteral("up"));
        flip(flag);
    }
};

// A plain child window that notes its unload.
template <int N>
class ChildDouble : public Form {
public:
    ChildDouble() : Form(N) { setDesignSize(3000, 2000); }

protected:
    void Form_Unload() override { trace() << QStringLiteral("close %1").arg(N); }
};

// Gives the frame a stand-in for every window the program does not have yet,
// so that every command can come on.
inline void addMissingWindows(FrmMDI& frame)
{
    frame.setWindowOpener(QStringLiteral("frmStats"), [] { Load<ReportDouble<FormNo::Stats>>(); });
    frame.setWindowOpener(QStringLiteral("frmScores"), [] { Load<ReportDouble<FormNo::Scores>>(); });
    frame.setWindowOpener(QStringLiteral("frmTeamScores"), [] { Load<ReportDouble<FormNo::TeamScores>>(); });
    frame.setWindowOpener(QStringLiteral("frmRecord"), [] { Load<ReportDouble<FormNo::Record>>(); });
    frame.setWindowOpener(QStringLiteral("frmStandings"), [] { Load<ReportDouble<FormNo::Standings>>(); });
    frame.setWindowOpener(QStringLiteral("frmRosterRpt"), [] { Load<ReportDouble<FormNo::RosterRpt>>(); });
    frame.setWindowOpener(QStringLiteral("frmBackup"), [] { Load<ChildDouble<FormNo::Backup>>(); });
    frame.setWindowOpener(QStringLiteral("frmNameYourOwn"), [] { Load<ChildDouble<FormNo::NameYourOwn>>(); });
    frame.setWindowOpener(QStringLiteral("frmDesign"), [] { Load<ChildDouble<FormNo::Design>>(); });
    frame.setWindowOpener(QStringLiteral("frmConvert"), [] { Load<ChildDouble<FormNo::Convert>>(); });
}

inline void unloadDoubles()
{
    Unload<ReportDouble<FormNo::Stats>>();
    Unload<ReportDouble<FormNo::Scores>>();
    Unload<ReportDouble<FormNo::TeamScores>>();
    Unload<ReportDouble<FormNo::Record>>();
    Unload<ReportDouble<FormNo::Standings>>();
    Unload<ReportDouble<FormNo::RosterRpt>>();
    Unload<ChildDouble<FormNo::Backup>>();
    Unload<ChildDouble<FormNo::NameYourOwn>>();
    Unload<ChildDouble<FormNo::Design>>();
    Unload<ChildDouble<FormNo::Convert>>();
}

}  // namespace vh::test
