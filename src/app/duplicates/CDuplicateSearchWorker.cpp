#include "CDuplicateSearchWorker.h"

CDuplicateSearchWorker::CDuplicateSearchWorker(QList<CDuplicateFinder::Entry> entries, int generation,
                                               QObject *parent)
    : QThread(parent), m_entries(std::move(entries)), m_generation(generation)
{
}

void CDuplicateSearchWorker::run()
{
    emit Found(m_generation, CDuplicateFinder::Find(m_entries));
}
