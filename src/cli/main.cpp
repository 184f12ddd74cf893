#include "CMeCabReading.h"
#include "CliRegistry.h"
#include "ReadingService.h"

#include <QGuiApplication>
#include <algorithm>
#include <memory>

static void PrintUsage(QTextStream &out)
{
    out << "usage: tessaly-cli COMMAND ARGS...\n";
    QList<CliCommand> commands = CliRegistry::All();
    std::sort(commands.begin(), commands.end(),
              [](const CliCommand &a, const CliCommand &b) { return a.name < b.name; });
    for (const CliCommand &c : commands)
        out << "  " << c.usage << "\n";
}

int main(int argc, char **argv)
{
    // Printing lays text out, which needs the fonts of a GUI application; it
    // shows no window, so it needs no display either.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && qstrcmp(argv[1], "print") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app->arguments().mid(1);
    if (args.isEmpty() || args.first() == "help" || args.first() == "--help") {
        PrintUsage(args.isEmpty() ? err : out);
        return args.isEmpty() ? 2 : 0;
    }
    const CliCommand *command = CliRegistry::Find(args.first());
    if (!command) {
        err << "tessaly-cli: unknown command '" << args.first() << "'\n";
        PrintUsage(err);
        return 2;
    }
    // Imported cards get their readings from the same service as in the program; without
    // its dictionary only readings written in kana are kept, as there.
    const std::unique_ptr<CImeLanguage> reading = CreateReadingService();
    SetReadingService(reading.get());
    const int code = command->run(args.mid(1), out, err);
    SetReadingService(nullptr);
    return code;
}
