// The one application object of a fuzz target. The window targets need a QApplication
// (CHATTLE_FUZZ_WIDGETS); the picture, profile and line targets make do with a QGuiApplication and so
// link no widgets.
#include "FuzzSupport.h"

#ifdef CHATTLE_FUZZ_WIDGETS
#include <QApplication>
using TFuzzApplication = QApplication;
#else
#include <QGuiApplication>
using TFuzzApplication = QGuiApplication;
#endif

void EnsureApplication()
{
    static TFuzzApplication *application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "chattle_fuzz";
        static char *argv[] = {name, nullptr};
        return new TFuzzApplication(argc, argv);
    }();
    Touch(reinterpret_cast<long long>(application));
}
