#pragma once

#include <QByteArray>
#include <QtGlobal>

// The printer's device settings as one opaque block, stored raw in its own
// file. Like a driver's device-mode record it knows its own size, so a file
// cut short or written by something else is recognised and ignored:
//
//   offset 0  4 bytes  magic "TDMB"
//   offset 4  4 bytes  fixed size: header plus fixed part (little-endian)
//   offset 8  4 bytes  driver-extra size: the variable part after it (little-endian)
//   offset 12          fixed part, then driver-extra part
//
// A block is valid only when its length is exactly fixed size + extra size.
namespace DevModeBlock {

constexpr int HeaderSize = 12;

QByteArray Make(const QByteArray &fixedPart, const QByteArray &driverExtra);
bool IsValid(const QByteArray &block);
QByteArray FixedPart(const QByteArray &block);   // empty for an invalid block
QByteArray DriverExtra(const QByteArray &block); // empty for an invalid block

} // namespace DevModeBlock
