#include "ScreenCursor.h"

#include <QGuiApplication>

void ResetScreenCursor()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}
