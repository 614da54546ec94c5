#include "shell/MenuState.h"

#include "shell/Frame.h"
#include "shell/Globals.h"

#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QSignalBlocker>

namespace vh {

namespace {

// Every menu item the menu state switches, in menu order. The help items are
// the last three.
const char* const kMenuItems[] = {
    "mnuPrint",       "mnuBackUp",     "mnuRestore",       "mnuExport",       "mnuImport",
    "mnuExitProgram", "mnuPlayerStats", "mnuGoalieStats",  "mnuTeamScoring",  "mnuGames",
    "mnuRecord",      "mnuStandings",  "mnuRosterRpt",     "mnuUpdateGames",  "mnuRoster",
    "mnuAddTeam",     "mnuChangeTeam", "mnuDeleteTeam",    "mnuGeneralOptions", "mnuNameYourOwn",
    "mnuDesign",      "mnuAddFilter",  "mnuChangeFilter",  "mnuDeleteFilter", "mnuConvert",
    "mnuGettingStarted", "mnuFAQ",     "mnuAbout",
};
const char* const kHelpItems[] = {"mnuGettingStarted", "mnuFAQ", "mnuAbout"};

class Switcher {
public:
    explicit Switcher(IFrame& f) : f_(f) {}

    // A command whose window the program lacks never comes on.
    void item(const char* name, bool on)
    {
        if (QAction* a = f_.menuItem(QLatin1String(name)))
            a->setEnabled(on && f_.commandAvailable(QLatin1String(name)));
    }
    void button(const char* key, bool on)
    {
        if (QAction* a = f_.toolbarButton(QLatin1String(key)))
            a->setEnabled(on && f_.commandAvailable(QLatin1String(key)));
    }
    // Pressing a button of a group releases the others (the group does it).
    void press(const char* key, bool down)
    {
        if (QAction* a = f_.toolbarButton(QLatin1String(key)))
            a->setChecked(down);
    }

    void helpOn()
    {
        for (const char* name : kHelpItems)
            item(name, true);
        button("Help", true);
    }

    void filterStep()
    {
        const bool shown = g.ShowFiltersOption != 0;
        item("mnuAddFilter", shown);
        item("mnuChangeFilter", shown);
        item("mnuDeleteFilter", shown);
        if (g.CurrentFilter == 0) {
            item("mnuChangeFilter", false);
            item("mnuDeleteFilter", false);
        }
    }

    void menusByCount(int16_t count)
    {
        for (const char* name : {"mnuBackUp", "mnuRestore", "mnuExport", "mnuImport", "mnuExitProgram",
                                 "mnuPlayerStats", "mnuGoalieStats"})
            item(name, true);
        const bool several = count > 1;
        for (const char* name : {"mnuGames", "mnuRecord", "mnuTeamScoring", "mnuRosterRpt"})
            item(name, !several);
        item("mnuStandings", several);
        for (const char* name : {"mnuUpdateGames", "mnuRoster", "mnuAddTeam", "mnuChangeTeam", "mnuDeleteTeam",
                                 "mnuGeneralOptions", "mnuNameYourOwn", "mnuDesign"})
            item(name, true);
        filterStep();
        item("mnuConvert", true);
        for (const char* name : kHelpItems)
            item(name, true);
    }

    void reportToolbarOn()
    {
        item("mnuPrint", true);
        button("Print", true);
        for (const char* key : {"Bold", "Italic", "Underline"}) {
            press(key, false);
            button(key, true);
        }
        // The report window presses the button its columns call for when it
        // has loaded.
        for (const char* key : {"Left", "Right", "Center"}) {
            press(key, false);
            button(key, true);
        }
        const QString code = g.ReportCode.str();
        press("GridLines", code != QLatin1String("T"));
        button("GridLines", true);
        // Filling must not look like the user's choice: the opening report
        // window selects its own size and font.
        if (QComboBox* sizes = f_.fontSizeBox()) {
            const QSignalBlocker block(sizes);
            sizes->setEnabled(true);
            sizes->clear();
            sizes->addItems({QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("12"), QStringLiteral("14"),
                             QStringLiteral("18"), QStringLiteral("24")});
            sizes->setCurrentIndex(-1);
        }
        if (QComboBox* fonts = f_.fontNameBox()) {
            const QSignalBlocker block(fonts);
            fonts->setEnabled(true);
            fonts->clear();
            fonts->addItems(QFontDatabase::families());
            fonts->setCurrentIndex(-1);
        }
    }

    void reportToolbarOff()
    {
        item("mnuPrint", false);
        button("Print", false);
        for (const char* key : {"Bold", "Italic", "Underline"}) {
            press(key, false);
            button(key, false);
        }
        for (const char* key : {"Left", "Center", "Right"})
            press(key, false);
        for (const char* key : {"Left", "Center", "Right"})
            button(key, false);
        press("GridLines", false);
        button("GridLines", false);
        for (QComboBox* box : {f_.fontSizeBox(), f_.fontNameBox()}) {
            if (!box)
                continue;
            const QSignalBlocker block(box);
            box->clear();
            box->setEnabled(false);
        }
    }

    void allOff()
    {
        for (const char* name : kMenuItems) {
            if (qstrcmp(name, "mnuGettingStarted") && qstrcmp(name, "mnuFAQ") && qstrcmp(name, "mnuAbout"))
                item(name, false);
        }
        button("UpdateGames", false);
        for (const char* key : {"Player", "Goalie"}) {
            press(key, false);
            button(key, false);
        }
        reportToolbarOff();
    }

private:
    IFrame& f_;
};

}  // namespace

void SetMenus(int16_t teamCount, const QString& mode)
{
    if (teamCount != -1)
        g.SelectedTeamCount = teamCount;
    if (!g.Frame)
        return;
    Switcher sw(*g.Frame);
    Switcher* s = &sw;

    if (teamCount == -1) {
        s->allOff();
        for (const char* name : kHelpItems)
            s->item(name, false);
        s->button("Help", false);
        return;
    }
    if (mode == QLatin1String("Report")) {
        s->menusByCount(teamCount);
        s->reportToolbarOn();
        s->helpOn();
    } else if (mode == QLatin1String("Update")) {
        s->allOff();
        s->helpOn();
    } else if (teamCount == 0) {
        s->item("mnuPrint", false);
        for (const char* name : {"mnuBackUp", "mnuRestore", "mnuImport", "mnuExitProgram", "mnuRoster",
                                 "mnuAddTeam", "mnuGeneralOptions", "mnuNameYourOwn", "mnuDesign", "mnuConvert"})
            s->item(name, true);
        for (const char* name : {"mnuExport", "mnuPlayerStats", "mnuGoalieStats", "mnuTeamScoring", "mnuGames",
                                 "mnuRecord", "mnuStandings", "mnuRosterRpt", "mnuUpdateGames", "mnuChangeTeam",
                                 "mnuDeleteTeam"})
            s->item(name, false);
        s->filterStep();
        s->helpOn();
        s->button("UpdateGames", false);
        for (const char* key : {"Player", "Goalie"}) {
            s->press(key, false);
            s->button(key, false);
        }
        s->reportToolbarOff();
    } else {
        s->menusByCount(teamCount);
        s->helpOn();
        s->button("UpdateGames", true);
        for (const char* key : {"Player", "Goalie"}) {
            s->press(key, false);
            s->button(key, true);
        }
        s->reportToolbarOff();
    }
}

}  // namespace vh
