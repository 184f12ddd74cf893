#pragma once

#include "CDuplicateFinder.h"

#include <QList>
#include <QThread>

// Finds the groups of one snapshot of the store in the background. It owns
// copies of the cards' texts, touches no card and no widget, and reports by a
// queued signal tagged with the generation of the snapshot.
class CDuplicateSearchWorker : public QThread
{
    Q_OBJECT
public:
    CDuplicateSearchWorker(QList<CDuplicateFinder::Entry> entries, int generation, QObject *parent = nullptr);

signals:
    void Found(int generation, const QList<DuplicateGroup> &groups);

protected:
    void run() override;

private:
    const QList<CDuplicateFinder::Entry> m_entries;
    const int m_generation;
};
