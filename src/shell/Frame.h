#pragma once
// What the shell's procedures need of the frame window, so that start-up, the
// windows and the shared procedures run with or without a frame on screen.

#include <QString>

class QAction;
class QComboBox;
class QMdiArea;
class QWidget;

namespace vh {

class IFrame {
public:
    virtual ~IFrame() = default;
    virtual QWidget* frameWidget() = 0;
    // The client area the child windows live in.
    virtual QMdiArea* mdiArea() = 0;
    virtual void setToolbarVisible(bool visible) = 0;
    virtual void setToolbarButtonEnabled(const QString& key, bool enabled) = 0;

    // A menu item by its control name ("mnuPrint"), a toolbar button by its
    // key ("Bold"); nullptr when the frame has none.
    virtual QAction* menuItem(const QString& name) { return nullptr; }
    virtual QAction* toolbarButton(const QString& key) { return nullptr; }
    // The toolbar's font boxes.
    virtual QComboBox* fontSizeBox() { return nullptr; }
    virtual QComboBox* fontNameBox() { return nullptr; }
    // False for a menu item or toolbar button whose window the program does
    // not have; such a command stays switched off whatever the menu state says.
    virtual bool commandAvailable(const QString& name) { return true; }
    // The "Update Games" command; the team-selection window's double click
    // runs it.
    virtual void mnuUpdateGames_Click() {}
};

}  // namespace vh
