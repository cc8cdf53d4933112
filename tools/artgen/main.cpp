// artgen: draws Chattle's artwork (character parts, rooms, backgrounds, banners and sounds).
//   artgen <artwork directory> [--sheets <directory>]
#include "ArtworkWriter.h"
#include "ChattleError.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    // Painting on images needs no window system: all lettering is drawn with our own pixel font.
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    QString artworkDir, sheetsDir;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--sheets" && i + 1 < arguments.size())
            sheetsDir = arguments[++i];
        else if (artworkDir.isEmpty() && !arguments[i].startsWith("--"))
            artworkDir = arguments[i];
        else {
            std::fprintf(stderr, "usage: artgen <artwork directory> [--sheets <directory>]\n");
            return 2;
        }
    }
    if (artworkDir.isEmpty() && sheetsDir.isEmpty()) {
        std::fprintf(stderr, "usage: artgen <artwork directory> [--sheets <directory>]\n");
        return 2;
    }
    try {
        if (!artworkDir.isEmpty())
            WriteArtwork(artworkDir);
        if (!sheetsDir.isEmpty())
            WriteContactSheets(sheetsDir);
    } catch (const EChattleError &error) {
        std::fprintf(stderr, "artgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
