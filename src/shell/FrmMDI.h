#pragma once
// The frame window: the program's only top-level window. Its load runs the
// start-up; closing it saves the options and ends the program.

#include "shell/Frame.h"

#include <QMainWindow>
#include <QMap>

class QAction;
class QMdiArea;
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

    QToolBar* QNToolbar() const { return toolbar_; }
    QAction* toolbarButton(const QString& key) const { return buttons_.value(key); }

    // Opens the current team's game list; the team-selection window's double
    // click calls it too.
    void mnuUpdateGames_Click();

    // IFrame
    QWidget* frameWidget() override { return this; }
    QMdiArea* mdiArea() override { return mdi_; }
    void setToolbarVisible(bool visible) override;
    void setToolbarButtonEnabled(const QString& key, bool enabled) override;

    static QString versionText();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QMap<QString, QAction*> buttons_;
};

}  // namespace vh
