#pragma once
// What the shell's procedures need of the frame window, so that start-up, the
// windows and the shared procedures run with or without a frame on screen.

#include <QString>

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
};

}  // namespace vh
