#include "CStoreCardSource.h"

#include "CCardStore.h"

QString CStoreCardSource::Path() const
{
    return m_store.Path();
}

QString CStoreCardSource::ImageFolder() const
{
    return m_store.ImageFolder();
}

bool CStoreCardSource::Open(const QString &path)
{
    return m_store.Open(path);
}

bool CStoreCardSource::CreateNew(const QString &path)
{
    return m_store.CreateNew(path);
}

int CStoreCardSource::TabCount(int row) const
{
    return m_store.TabCount(row);
}

int CStoreCardSource::TabSize(int row, int tab) const
{
    return m_store.TabSize(row, tab);
}

CCardData *CStoreCardSource::TabCard(int row, int tab, int position) const
{
    return m_store.TabCard(row, tab, position);
}

int CStoreCardSource::PositionInTab(const CCardData *card, int row, int tab) const
{
    return m_store.PositionInTab(card, row, tab);
}

bool CStoreCardSource::SetSortKind(int row, int tab, int kind)
{
    return m_store.SetSortKind(row, tab, kind);
}

QString CStoreCardSource::GroupName(int group) const
{
    return m_store.GetGroupName(group);
}

CCardData *CStoreCardSource::Replace(const CCardData &data, CCardData *stored)
{
    return m_store.Replace(data, stored);
}

bool CStoreCardSource::Delete(CCardData *stored)
{
    return m_store.Delete(stored);
}

CCardData *CStoreCardSource::AddCard(const CCardData &card)
{
    return m_store.AddCard(card);
}
