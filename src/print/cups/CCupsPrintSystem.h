#pragma once

#include "IPrintSystem.h"

// The printers of the CUPS server, opened through QPrinter.
class CCupsPrintSystem : public IPrintSystem
{
public:
    QStringList PrinterNames() override;
    // CUPS's default destination; without one the first printer.
    QString DefaultPrinterName() override;
    std::unique_ptr<IPrinterDevice> OpenPrinter(const QString &name, QByteArray &devMode,
                                                bool keepDevMode) override;
    bool EditProperties(const QString &name, QByteArray &devMode, QObject *parent) override;
    quint32 PrinterStatus(const QString &name) override;
};
