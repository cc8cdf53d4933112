// chattle-service [--bind ADDRESS] [--port PORT] [--version-reply TEXT] LOGFILE
// The reference service: prints the address it listens on, then serves until it is stopped.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <exception>

#include "ProductInfo.h"
#include "ReferenceService.h"
#include "StrictNumber.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("chattle-service"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Answers Chattle's version request and logs its information lines."));
    parser.addHelpOption();
    const QCommandLineOption bind(QStringLiteral("bind"), QStringLiteral("Address to listen on."),
                                  QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port to listen on (0: any free one)."),
                                  QStringLiteral("port"), QStringLiteral("8009"));
    const QCommandLineOption version(QStringLiteral("version-reply"),
                                     QStringLiteral("Version text of the VERSION reply."), QStringLiteral("text"),
                                     QStringLiteral("B") + ProductVersion);
    parser.addOptions({bind, port, version});
    parser.addPositionalArgument(QStringLiteral("logfile"), QStringLiteral("File the CSENDINFO lines are appended to."));
    parser.process(app);

    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.helpText()));
        return 2;
    }
    int portNumber = -1;
    try {
        portNumber = StrictToInt(parser.value(port));
    } catch (const std::exception &) {
    }
    if (portNumber < 0 || portNumber > 65535) {
        std::fprintf(stderr, "Not a port number: %s\n", qPrintable(parser.value(port)));
        return 2;
    }

    TReferenceService service(files.first(), parser.value(version));
    if (!service.Listen(parser.value(bind), quint16(portNumber))) {
        std::fprintf(stderr, "%s\n", qPrintable(service.ErrorText()));
        return 1;
    }
    std::printf("chattle-service listening on %s:%u\n", qPrintable(parser.value(bind)), unsigned(service.ServerPort()));
    std::fflush(stdout);
    return app.exec();
}
