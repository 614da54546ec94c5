#pragma once
// What the shell's procedures need of the frame window, so that start-up and
// the shared procedures run with or without a window on screen.

#include <QString>

class QWidget;

namespace vh {

class IFrame {
public:
    virtual ~IFrame() = default;
    virtual QWidget* frameWidget() = 0;
    virtual void setToolbarVisible(bool visible) = 0;
    virtual void setToolbarButtonEnabled(const QString& key, bool enabled) = 0;
};

}  // namespace vh
