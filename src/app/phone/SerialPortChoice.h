#pragma once

#include "CSerialPortInfo.h"

#include <QList>
#include <QString>
#include <QStringList>

// The entries of the options page's serial port list: "n: port (description)"
// for the n-th port of the port table.
class SerialPortChoice
{
public:
    static QStringList Texts(const QList<CSerialPortInfo> &table);
    static QString Text(int n, const CSerialPortInfo &port);
};
