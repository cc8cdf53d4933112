// Chattle's entry: the main window first, then the login window, the new-channel dialog and the
// splash, then the message loop.
#include <QApplication>

#include "ChattleApplication.h"
#include "frmChattle.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    PrepareApplication();
    TfrmChattle window;
    ComposeWindows(window);
    if (window.RestorePlacement())
        window.show();
    else
        window.showMaximized();
    return QApplication::exec();
}
