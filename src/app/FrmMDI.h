#pragma once
// The frame window: the program's only top-level window, with the menu bar,
// the toolbar and its font boxes, and the client area every other window opens
// in. Its load runs the start-up; closing it saves the options and ends the
// program. Each command copies the team selection, closes the other child
// windows, sets a one-letter code and opens its window.

#include "shell/Frame.h"

#include <QMainWindow>
#include <QMap>
#include <functional>

class QAction;
class QComboBox;
class QMdiArea;
class QMenu;
class QToolBar;

namespace vh {

class FrmMDI : public QMainWindow, public IFrame {
    Q_OBJECT
public:
    explicit FrmMDI(QWidget* parent = nullptr);
    ~FrmMDI() override;

    // Runs the start-up; the program calls it once, before showing the frame.
    void MDIForm_Load();
    void MDIForm_Unload();
    // Re-centres the active child window, once the start-up is over.
    void MDIForm_Resize();

    QToolBar* QNToolbar() const { return toolbar_; }

    // File
    void mnuPrint_Click();
    void mnuBackUp_Click();
    void mnuRestore_Click();
    void mnuExport_Click();
    void mnuImport_Click();
    void mnuExitProgram_Click();
    // Reports
    void mnuPlayerStats_Click();
    void mnuGoalieStats_Click();
    void mnuTeamScoring_Click();
    void mnuGames_Click();
    void mnuRecord_Click();
    void mnuStandings_Click();
    void mnuRosterRpt_Click();
    // Update; the team-selection window's double click runs Games too.
    void mnuUpdateGames_Click() override;
    void mnuRoster_Click();
    void mnuAddTeam_Click();
    void mnuChangeTeam_Click();
    void mnuDeleteTeam_Click();
    // Tools
    void mnuGeneralOptions_Click();
    void mnuNameYourOwn_Click();
    void mnuDesign_Click();
    void mnuAddFilter_Click();
    void mnuChangeFilter_Click();
    void mnuDeleteFilter_Click();
    void mnuConvert_Click();
    // Help
    void mnuGettingStarted_Click();
    void mnuStatistics_Click();
    void mnuFAQ_Click();
    void mn_techsupport_Click();
    void mn_SendUsYourData_Click();
    void mnuAbout_Click();

    // The toolbar's click, by the clicked button's key.
    void QNToolbar_ButtonClick(const QString& key);
    void cmbFonts_Click();
    void cmbFontSize_Click();

    // The windows the commands open, by window name ("frmStats"). A command
    // whose window has no opener stays switched off; windows that join the
    // program add their opener here.
    using WindowOpener = std::function<void()>;
    void setWindowOpener(const QString& window, WindowOpener open);
    bool hasWindow(const QString& window) const;
    // The send-your-data window: shown modally with the closed database's
    // path, returns when the user is done.
    using UploadOpener = std::function<void(const QString& dataPath)>;
    void setUploadOpener(UploadOpener open);

    // IFrame
    QWidget* frameWidget() override { return this; }
    QMdiArea* mdiArea() override { return mdi_; }
    void setToolbarVisible(bool visible) override;
    void setToolbarButtonEnabled(const QString& key, bool enabled) override;
    QAction* menuItem(const QString& name) override { return items_.value(name); }
    QAction* toolbarButton(const QString& key) override { return buttons_.value(key); }
    QComboBox* fontSizeBox() override { return cmbFontSize_; }
    QComboBox* fontNameBox() override { return cmbFonts_; }
    bool commandAvailable(const QString& name) override;

    static QString versionText();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void buildMenus();
    void buildToolbar();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, void (FrmMDI::*handler)(),
                     const QKeySequence& shortcut = {});
    QAction* addButton(const char* key, const QString& tip, bool checkable);
    void openWindow(const QString& window);
    void reportCommand(const char* code, const QString& window);
    void editCommand(const QString& window, const std::function<void()>& setMode = {});
    void openGameList();
    // The keyboard focus back to the window in front: the grid when that is
    // the open report.
    void returnKeys();

    QMdiArea* mdi_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QMenu* mnuHelp_ = nullptr;
    QComboBox* cmbFontSize_ = nullptr;
    QComboBox* cmbFonts_ = nullptr;
    QMap<QString, QAction*> items_;
    QMap<QString, QAction*> buttons_;
    QMap<QString, WindowOpener> openers_;
    UploadOpener uploadOpener_;
};

}  // namespace vh
