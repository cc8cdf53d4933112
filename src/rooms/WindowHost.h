#pragma once
// Where the connection manager puts the windows it opens: the main window's multiple-document area.
// Tests use TMdiWindowHost on a plain QMdiArea.
class QMdiSubWindow;
class QWidget;

class TWindowHost {
public:
    virtual ~TWindowHost() = default;
    // The owner of the windows the connection manager opens outside the area (the channel browser).
    virtual QWidget *OwnerWindow() = 0;
    // Makes window a child window of the area; it is shown by the caller.
    virtual void AddChildWindow(QMdiSubWindow *window) = 0;
    // Brings a child window to the front and activates it.
    virtual void ActivateChildWindow(QMdiSubWindow *window) = 0;
    // Brings the main window itself to the front.
    virtual void BringToFront() = 0;
};
