#pragma once

#include "CChunk.h"

#include <QtGlobal>

// The management file's frame: a header ("NMCD", total length, "0001", record
// count), then records, each a tag ("NMBK" live, "NMDL" dead) and a payload length.
namespace ManagementFileFormat {

constexpr quint32 TagNMCD = CChunk::Tag("NMCD");
constexpr quint32 TagNMBK = CChunk::Tag("NMBK");
constexpr quint32 TagNMDL = CChunk::Tag("NMDL");
constexpr quint32 Version0001 = CChunk::Tag("0001");
constexpr qint64 HeaderSize = 16;

} // namespace ManagementFileFormat
