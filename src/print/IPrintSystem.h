#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class IPrinterDevice;
class QObject;

// The platform's printers: listing, opening with device settings, the
// paper dialog and the printer's state.
class IPrintSystem
{
public:
    virtual ~IPrintSystem() = default;

    // Every printer, in the order the system reports them.
    virtual QStringList PrinterNames() = 0;
    // The system's default printer; empty when there is no printer.
    virtual QString DefaultPrinterName() = 0;
    // Opens a printer. `devMode` (a CDevMode block) is used as input when
    // `keepDevMode` is set and it was made for this printer; on return it
    // holds the device settings in use. Null when the printer cannot be opened.
    virtual std::unique_ptr<IPrinterDevice> OpenPrinter(const QString &name, QByteArray &devMode,
                                                        bool keepDevMode) = 0;
    // The printer's paper dialog, seeded from `devMode` and writing the choice
    // back into it; true only when the user confirmed. `parent` is the window
    // the dialog belongs to, or null.
    virtual bool EditProperties(const QString &name, QByteArray &devMode, QObject *parent) = 0;
    // The printer's status value (see PrinterStatus.h).
    virtual quint32 PrinterStatus(const QString &name) = 0;
};
