#pragma once

#include <QByteArrayView>
#include <QList>

// One fuzz target per parser: each feeds an input to a parser through the
// project's public interfaces and checks what must hold for any input.
namespace Fuzz {

struct Target
{
    const char *name; // also the corpus folder's name
    void (*run)(QByteArrayView input);
    bool blockReader; // also built reading in tiny blocks
};

const QList<Target> &Targets();
const Target *FindTarget(const char *name);

// Once per process, before the first input: a home folder of its own (so no
// settings or data folders of the user are touched) and a Qt application object.
void Init(int *argc, char **argv);

void ManagementFile(QByteArrayView input);
void VCardText(QByteArrayView input);
void VCardFile(QByteArrayView input);
void PhoneBook(QByteArrayView input);
void CsvRows(QByteArrayView input);
void MappingFile(QByteArrayView input);
void SettingsFile(QByteArrayView input);
void DevModeFile(QByteArrayView input);
void ObexResponse(QByteArrayView input);
void FolderListing(QByteArrayView input);

} // namespace Fuzz
