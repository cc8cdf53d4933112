#pragma once
// A window host on a QMdiArea: the area's top-level window is the owner and the one brought forward.
#include "WindowHost.h"

#include <QPointer>

class QMdiArea;

class TMdiWindowHost : public TWindowHost {
public:
    explicit TMdiWindowHost(QMdiArea *area) : FArea(area) {}

    QWidget *OwnerWindow() override;
    void AddChildWindow(QMdiSubWindow *window) override;
    void ActivateChildWindow(QMdiSubWindow *window) override;
    void BringToFront() override;

private:
    QPointer<QMdiArea> FArea;
};
