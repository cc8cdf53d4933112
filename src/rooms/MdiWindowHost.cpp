#include "MdiWindowHost.h"

#include <QMdiArea>
#include <QMdiSubWindow>

QWidget *TMdiWindowHost::OwnerWindow() { return FArea ? FArea->window() : nullptr; }

void TMdiWindowHost::AddChildWindow(QMdiSubWindow *window)
{
    if (FArea)
        FArea->addSubWindow(window);
}

void TMdiWindowHost::ActivateChildWindow(QMdiSubWindow *window)
{
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    if (FArea)
        FArea->setActiveSubWindow(window);
}

void TMdiWindowHost::BringToFront()
{
    if (QWidget *owner = OwnerWindow()) {
        owner->raise();
        owner->activateWindow();
    }
}
