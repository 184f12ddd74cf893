#include "SerialPortChoice.h"

QString SerialPortChoice::Text(int n, const CSerialPortInfo &port)
{
    // The friendly name ends in " (port)"; the port comes first here, so that part is left out.
    QString description = port.friendlyName;
    const QString suffix = QStringLiteral(" (") + port.portName + QLatin1Char(')');
    if (description.endsWith(suffix))
        description.chop(suffix.size());
    if (description.isEmpty() || description == port.portName)
        return QStringLiteral("%1: %2").arg(n).arg(port.portName);
    return QStringLiteral("%1: %2 (%3)").arg(n).arg(port.portName, description);
}

QStringList SerialPortChoice::Texts(const QList<CSerialPortInfo> &table)
{
    QStringList texts;
    for (int i = 0; i < table.size(); ++i)
        texts.append(Text(i + 1, table[i]));
    return texts;
}
