#include "CCupsPrintSystem.h"

#include "CCupsPrinterDevice.h"
#include "CDevMode.h"
#include "CupsQuery.h"
#include "PrinterStatus.h"

#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// The paper the device settings ask for when they were made for this printer,
// else the printer's default paper, portrait.
void ChoosePage(const QPrinterInfo &info, const QByteArray &devMode, bool keep, QPageSize *size,
                QPageLayout::Orientation *orientation)
{
    CDevMode in;
    if (keep && CDevMode::Decode(devMode, &in) && in.model == info.makeAndModel().toUtf8()) {
        *size = in.PageSize();
        *orientation = in.PageOrientation();
        return;
    }
    *size = info.defaultPageSize();
    if (!size->isValid())
        *size = QPageSize(QPageSize::A4);
    *orientation = QPageLayout::Portrait;
}

QByteArray BlockFor(const QPageLayout &layout, const QString &model)
{
    return CDevMode::ForPage(layout.pageSize(), layout.orientation(), model).Encode();
}

} // namespace

QStringList CCupsPrintSystem::PrinterNames()
{
    return QPrinterInfo::availablePrinterNames();
}

QString CCupsPrintSystem::DefaultPrinterName()
{
    const QString name = QPrinterInfo::defaultPrinterName();
    if (!name.isEmpty())
        return name;
    const QStringList names = PrinterNames();
    return names.isEmpty() ? QString() : names.first();
}

std::unique_ptr<IPrinterDevice> CCupsPrintSystem::OpenPrinter(const QString &name, QByteArray &devMode,
                                                              bool keepDevMode)
{
    const CupsQuery::Destination dest = CupsQuery::Find(name);
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (!dest.found || info.isNull())
        return nullptr;
    QPageSize size;
    QPageLayout::Orientation orientation;
    ChoosePage(info, devMode, keepDevMode, &size, &orientation);
    auto device = std::make_unique<CCupsPrinterDevice>(info, size, orientation, dest.deviceUri);
    devMode = BlockFor(device->PageLayout(), info.makeAndModel());
    return device;
}

bool CCupsPrintSystem::EditProperties(const QString &name, QByteArray &devMode, QObject *parent)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return false;
    QPageSize size;
    QPageLayout::Orientation orientation;
    ChoosePage(info, devMode, true, &size, &orientation);
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageSize(size);
    printer.setPageOrientation(orientation);
    QPageSetupDialog dialog(&printer, qobject_cast<QWidget *>(parent));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    devMode = BlockFor(printer.pageLayout(), info.makeAndModel());
    return true;
}

quint32 CCupsPrintSystem::PrinterStatus(const QString &name)
{
    const CupsQuery::Destination dest = CupsQuery::Find(name);
    return dest.found ? ::PrinterStatus::FromCups(dest.state, dest.reasons)
                      : quint32(::PrinterStatus::NotAvailable);
}
