#include "FuzzTargets.h"

#include "ScratchFolder.h"

#include <QCoreApplication>
#include <cstring>

namespace Fuzz {

const QList<Target> &Targets()
{
    static const QList<Target> targets = {
        {"management_file", &ManagementFile, true},
        {"vcard_text", &VCardText, true},
        {"vcard_file", &VCardFile, true},
        {"phone_book", &PhoneBook, true},
        {"csv_rows", &CsvRows, true},
        {"mapping_file", &MappingFile, false},
        {"settings_file", &SettingsFile, false},
        {"devmode_file", &DevModeFile, false},
        {"obex_response", &ObexResponse, false},
        {"folder_listing", &FolderListing, false},
    };
    return targets;
}

const Target *FindTarget(const char *name)
{
    for (const Target &target : Targets())
        if (std::strcmp(target.name, name) == 0)
            return &target;
    return nullptr;
}

void Init(int *argc, char **argv)
{
    qputenv("HOME", ScratchFolder::Root().toUtf8());
    qunsetenv("XDG_DOCUMENTS_DIR");
    qunsetenv("XDG_CONFIG_HOME");
    // Never destroyed: at exit Qt's own globals may be gone before it.
    if (!QCoreApplication::instance())
        new QCoreApplication(*argc, argv);
}

} // namespace Fuzz
