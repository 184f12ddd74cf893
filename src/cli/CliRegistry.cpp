#include "CliRegistry.h"

QList<CliCommand> &CliRegistry::All()
{
    static QList<CliCommand> commands;
    return commands;
}

const CliCommand *CliRegistry::Find(const QString &name)
{
    for (const CliCommand &c : All())
        if (c.name == name)
            return &c;
    return nullptr;
}
