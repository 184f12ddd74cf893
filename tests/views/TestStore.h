#pragma once

#include "CCardData.h"
#include "CCardStore.h"
#include "TempDir.h"

#include <QSignalSpy>

// A real card store on a new management file in a private folder, for the
// views' tests; it counts the changes written to it.
struct TestStore
{
    TempDir dir;
    CCardStore store;
    QSignalSpy replaced{&store, &CCardStore::CardReplaced};
    QSignalSpy deleted{&store, &CCardStore::CardDeleted};

    explicit TestStore(const QString &fileName = QStringLiteral("cards.ovd"))
    {
        store.CreateNew(dir.File(fileName));
        store.SetSyncWrites(false);
    }
    // Without a reading service the cards have no readings: all of them go to 他 (tab 11).
    CCardData *Add(const QString &name, const QString &company = {}, bool print = false)
    {
        CCardData card;
        card.SetName(name);
        card.SetCompany(company, false);
        card.SetPrint(print);
        return store.AddCard(card);
    }
    QString Path() const { return store.Path(); }
};
