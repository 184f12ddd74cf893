#pragma once

#include "ICardSource.h"

class CCardStore;

// The card store as the views see it.
class CStoreCardSource : public ICardSource
{
public:
    explicit CStoreCardSource(CCardStore &store) : m_store(store) {}

    QString Path() const override;
    QString ImageFolder() const override;
    bool Open(const QString &path) override;
    bool CreateNew(const QString &path) override;
    int TabCount(int row) const override;
    int TabSize(int row, int tab) const override;
    CCardData *TabCard(int row, int tab, int position) const override;
    int PositionInTab(const CCardData *card, int row, int tab) const override;
    bool SetSortKind(int row, int tab, int kind) override;
    QString GroupName(int group) const override;
    CCardData *Replace(const CCardData &data, CCardData *stored) override;
    bool Delete(CCardData *stored) override;
    CCardData *AddCard(const CCardData &card) override;

private:
    CCardStore &m_store;
};
