#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// Shares one copy of text that many cards repeat (company, department,
// prefecture, ...) while a file is read, so that a large file does not hold
// thousands of equal strings. Cards stay independent: QString copies on write.
class CTextPool
{
public:
    // The pooled string equal to text; added to the pool when new.
    QString Share(QStringView text);

private:
    void Grow();

    // Open addressing on qHash of the text: a lookup needs no temporary string.
    std::vector<QString> m_slots;
    size_t m_used = 0;
};
