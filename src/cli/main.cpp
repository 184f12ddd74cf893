#include "CMeCabReading.h"
#include "CliRegistry.h"
#include "ReadingService.h"

#include <QCoreApplication>
#include <algorithm>

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
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
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
