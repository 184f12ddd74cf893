#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <vector>

// Shares one copy of text that many cards repeat (company, department,
// prefecture, ...) and of their phone and mail kind lists while a file is
// read, so that a large file does not hold thousands of equal values. Cards
// stay independent: QString and QList copy on write.
class CTextPool
{
public:
    // The pooled string equal to text; added to the pool when new.
    QString Share(QStringView text);
    // A list equal to kinds[0..count), shared with earlier equal lists.
    QList<quint32> ShareKinds(const quint32 *kinds, qsizetype count);

private:
    void Grow();

    // Open addressing on qHash of the text: a lookup needs no temporary string.
    std::vector<QString> m_slots;
    size_t m_used = 0;
    // Few distinct kind lists occur; past the limit new ones are not kept.
    std::vector<QList<quint32>> m_kindLists;
};
