#pragma once

#include <QString>

class CCardData;

// What the views need of the card store: the tabs of the browsing index and the
// changes a view makes. The program hands in the real store; tests a small fake.
class ICardSource
{
public:
    virtual ~ICardSource() = default;

    virtual QString Path() const = 0;
    virtual QString ImageFolder() const = 0;
    virtual bool Open(const QString &path) = 0;
    virtual bool CreateNew(const QString &path) = 0;

    virtual int TabCount(int row) const = 0;
    virtual int TabSize(int row, int tab) const = 0;
    virtual CCardData *TabCard(int row, int tab, int position) const = 0;
    virtual int PositionInTab(const CCardData *card, int row, int tab) const = 0;
    virtual bool SetSortKind(int row, int tab, int kind) = 0;
    virtual QString GroupName(int group) const = 0;

    // Store a changed copy over the stored card (written to the file at once).
    virtual CCardData *Replace(const CCardData &data, CCardData *stored) = 0;
    virtual bool Delete(CCardData *stored) = 0;
    virtual CCardData *AddCard(const CCardData &card) = 0;
};
