#pragma once

#include <QList>
#include <QString>

// Why cards were taken for one person's.
enum class DuplicateRule
{
    SameName,              // the same name, spaces and width aside
    SameReadingAndCompany, // the same reading at the same company
    SamePhone,             // a phone number no more than a few people share
    SameMail,              // an e-mail address no more than a few people share
};

struct DuplicateReason
{
    DuplicateRule rule = DuplicateRule::SameName;
    QString value; // as the newest card of the group writes it

    // "名前が同じ「山田 太郎」", …
    QString Text() const;
    bool operator==(const DuplicateReason &) const = default;
};

// Cards that are probably one person's, newest first, with every reason that joined them.
struct DuplicateGroup
{
    QList<int> cardSlots; // store slots
    QList<DuplicateReason> reasons;

    // The reasons in one line, joined by "、".
    QString ReasonsText() const;
};
