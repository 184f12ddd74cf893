#pragma once

#include "CSoftbankObexObject.h"

#include <QByteArray>

// Reads an "x-obex/folder-listing" document into entries, in document order.
// False on a malformed document; entries read before the error stay.
bool ParseFolderListing(const QByteArray &bytes, CSoftbankObexObjectArray &entries);
