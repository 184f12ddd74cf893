#pragma once

#include <QList>
#include <QString>

// One entry (folder or file) of a phone's folder listing.
struct CSoftbankObexObject
{
    QString name;
    QString created; // as listed, e.g. 20070102T101010
    int size = 0;
};

using CSoftbankObexObjectArray = QList<CSoftbankObexObject>;
