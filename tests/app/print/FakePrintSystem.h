#pragma once

#include "../../print/RecordingTarget.h"
#include "CDevMode.h"
#include "IPrintSystem.h"
#include "IPrinterDevice.h"

#include <QPageLayout>
#include <QStringList>

// Printers for the print windows' tests: an unprintable strip of chosen width
// on every side of the paper, device settings that remember paper and
// orientation per printer, and jobs whose calls are kept when they end.
class FakePrintSystem : public IPrintSystem
{
public:
    QStringList names{QStringLiteral("Office"), QStringLiteral("Labels")};
    QString defaultName = QStringLiteral("Office");
    QStringList unusable; // listed, but cannot be opened
    int strip = 50;       // 0.1 mm
    quint32 status = 0;
    bool refuse = false;
    int failPage = 0;
    int failStatus = JobStatus::PaperOut;
    bool confirmProperties = true;
    QPageLayout::Orientation propertiesOrientation = QPageLayout::Landscape;
    int propertiesShown = 0;
    QList<QStringList> jobs; // the calls of every job that has ended

    QStringList PrinterNames() override { return names; }
    QString DefaultPrinterName() override { return names.isEmpty() ? QString() : defaultName; }
    std::unique_ptr<IPrinterDevice> OpenPrinter(const QString &name, QByteArray &devMode, bool keep) override;
    bool EditProperties(const QString &name, QByteArray &devMode, QObject *) override
    {
        ++propertiesShown;
        if (!confirmProperties)
            return false;
        devMode = CDevMode::ForPage(QPageSize(QPageSize::A4), propertiesOrientation, name).Encode();
        return true;
    }
    quint32 PrinterStatus(const QString &) override { return status; }
};

class FakeJob : public RecordingTarget
{
public:
    explicit FakeJob(FakePrintSystem &system) : m_system(system)
    {
        refuse = system.refuse;
        failPage = system.failPage;
        failStatus = system.failStatus;
    }
    ~FakeJob() override { m_system.jobs << calls; }

private:
    FakePrintSystem &m_system;
};

class FakePrinterDevice : public IPrinterDevice
{
public:
    FakePrinterDevice(FakePrintSystem &system, const QString &name, const QPageLayout &layout)
        : m_system(system), m_name(name), m_layout(layout)
    {
    }
    CPrintableArea Area() const override
    {
        const QSizeF mm = m_layout.fullRect(QPageLayout::Millimeter).size();
        CPrintableArea a;
        a.paperWidth = qRound(mm.width() * 10);
        a.paperHeight = qRound(mm.height() * 10);
        a.offsetX = a.offsetY = m_system.strip;
        a.printableWidth = a.paperWidth - 2 * m_system.strip;
        a.printableHeight = a.paperHeight - 2 * m_system.strip;
        return a;
    }
    QString DriverName() const override { return m_name + QStringLiteral(" driver"); }
    QString PortName() const override { return QStringLiteral("fake:/") + m_name; }
    std::unique_ptr<IPrintTarget> NewJob() override { return std::make_unique<FakeJob>(m_system); }

private:
    FakePrintSystem &m_system;
    QString m_name;
    QPageLayout m_layout;
};

inline std::unique_ptr<IPrinterDevice> FakePrintSystem::OpenPrinter(const QString &name, QByteArray &devMode,
                                                                    bool keep)
{
    if (!names.contains(name) || unusable.contains(name))
        return nullptr;
    CDevMode in;
    QPageSize size(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    if (keep && CDevMode::Decode(devMode, &in) && in.model == name.toUtf8()) {
        size = in.PageSize();
        orientation = in.PageOrientation();
    }
    devMode = CDevMode::ForPage(size, orientation, name).Encode();
    return std::make_unique<FakePrinterDevice>(*this, name, QPageLayout(size, orientation, QMarginsF()));
}
