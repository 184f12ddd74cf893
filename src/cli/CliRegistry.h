#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

// One sub-command of tessaly-cli: `tessaly-cli NAME ARGS…`.
struct CliCommand
{
    QString name;
    QString usage; // one line, shown by `tessaly-cli help`
    // Returns the process exit status; messages go to `err`.
    int (*run)(const QStringList &args, QTextStream &out, QTextStream &err);
};

class CliRegistry
{
public:
    static QList<CliCommand> &All();
    static const CliCommand *Find(const QString &name);

    struct Registrar
    {
        explicit Registrar(const CliCommand &command) { All().append(command); }
    };
};

// Registers a command from its own source file.
#define TESSALY_CLI_COMMAND(ident, name, usage, fn)                                                          \
    static const CliRegistry::Registrar ident##_registrar(                                                   \
        CliCommand{QStringLiteral(name), QString::fromUtf8(usage), fn})
