#pragma once

#include "CCardData.h"
#include "ICardSource.h"

#include <QStringList>
#include <algorithm>
#include <memory>
#include <vector>

// A card store stand-in: every tab of every row holds all live cards in one sorted order.
class FakeCardSource : public ICardSource
{
public:
    QString path = QStringLiteral("/nonexistent/fake.ovd");
    QString imageFolder = QStringLiteral("/nonexistent/fake_Image");
    bool openResult = true;
    bool createResult = true;
    QStringList opened, created;
    int replaces = 0, deletes = 0, sorts = 0;
    std::vector<std::unique_ptr<CCardData>> cards;
    std::vector<CCardData *> tab;

    CCardData *Add(const QString &name, const QString &company = {}, bool print = false)
    {
        auto card = std::make_unique<CCardData>();
        card->SetId(QStringLiteral("ID%1").arg(cards.size()));
        card->SetName(name);
        card->SetCompany(company, false);
        card->SetPrint(print);
        tab.push_back(card.get());
        cards.push_back(std::move(card));
        return tab.back();
    }

    QString Path() const override { return path; }
    QString ImageFolder() const override { return imageFolder; }
    bool Open(const QString &p) override
    {
        opened << p;
        path = p;
        return openResult;
    }
    bool CreateNew(const QString &p) override
    {
        created << p;
        path = p;
        return createResult;
    }
    int TabCount(int row) const override { return row == 2 ? 18 : 14; }
    int TabSize(int, int) const override { return int(tab.size()); }
    CCardData *TabCard(int, int, int position) const override
    {
        return position >= 0 && position < int(tab.size()) ? tab[position] : nullptr;
    }
    int PositionInTab(const CCardData *card, int, int) const override
    {
        auto it = std::find(tab.begin(), tab.end(), card);
        return it == tab.end() ? -1 : int(it - tab.begin());
    }
    bool SetSortKind(int, int, int kind) override
    {
        ++sorts;
        auto key = [kind](const CCardData *c) -> QString {
            switch (kind) {
            case 1:
                return c->Company();
            case 6:
                return c->Print() ? QStringLiteral("1") : QStringLiteral("0");
            default:
                return c->Name();
            }
        };
        std::stable_sort(tab.begin(), tab.end(), [&](auto *a, auto *b) { return key(a) < key(b); });
        return kind <= 6;
    }
    QString GroupName(int group) const override { return QStringLiteral("G%1").arg(group); }
    CCardData *Replace(const CCardData &data, CCardData *stored) override
    {
        ++replaces;
        *stored = data;
        return stored;
    }
    bool Delete(CCardData *stored) override
    {
        ++deletes;
        tab.erase(std::remove(tab.begin(), tab.end(), stored), tab.end());
        stored->SetId(QString());
        return true;
    }
    CCardData *AddCard(const CCardData &card) override
    {
        CCardData *added = Add(card.Name());
        return added;
    }
};
