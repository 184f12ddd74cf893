#pragma once

#include <QtGlobal>

class CCardData;

// A 64-bit digest of what makes two cards identical: the Name, the number of
// phone entries and the non-empty numbers in sorted order. Identical cards get
// equal keys; equal keys still need IsIdentical to rule out a collision.
class CIdentityKey
{
public:
    static quint64 Of(const CCardData &card);
};
