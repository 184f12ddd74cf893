#include "DevModeBlock.h"

#include <QtEndian>

namespace DevModeBlock {

namespace {

const char Magic[4] = {'T', 'D', 'M', 'B'};

quint32 ReadU32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

} // namespace

QByteArray Make(const QByteArray &fixedPart, const QByteArray &driverExtra)
{
    QByteArray b(HeaderSize, '\0');
    memcpy(b.data(), Magic, sizeof Magic);
    qToLittleEndian<quint32>(quint32(HeaderSize + fixedPart.size()), b.data() + 4);
    qToLittleEndian<quint32>(quint32(driverExtra.size()), b.data() + 8);
    return b + fixedPart + driverExtra;
}

bool IsValid(const QByteArray &block)
{
    if (block.size() < HeaderSize || memcmp(block.constData(), Magic, sizeof Magic) != 0)
        return false;
    const quint64 fixed = ReadU32(block, 4);
    const quint64 extra = ReadU32(block, 8);
    return fixed >= quint64(HeaderSize) && fixed + extra == quint64(block.size());
}

QByteArray FixedPart(const QByteArray &block)
{
    if (!IsValid(block))
        return {};
    return block.mid(HeaderSize, int(ReadU32(block, 4)) - HeaderSize);
}

QByteArray DriverExtra(const QByteArray &block)
{
    if (!IsValid(block))
        return {};
    return block.mid(int(ReadU32(block, 4)));
}

} // namespace DevModeBlock
