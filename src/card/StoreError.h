#pragma once

#include <QString>

// Why the card store could not open its file or write a change into it.
enum class StoreError
{
    None,
    Missing,           // no file at the path
    Folder,            // the path names a folder
    NotRegular,        // a FIFO, device or socket
    Unreadable,        // no permission to read
    NotManagementFile, // the header is not a management file's
    ReadFailed,        // an I/O error while reading
    ReadOnly,          // the file or its folder cannot be written
    DiskFull,
    WriteFailed,      // any other failed write
    ChangedElsewhere, // another program rewrote the file since we read it
    ImageFolder,      // the image folder cannot be created
    ImageFiles,       // a card's pictures cannot be moved or removed
    NoFile,           // no usable file is open
};

// The message that tells the user what went wrong.
QString StoreErrorText(StoreError error);
// The error a failed system call's errno stands for when writing.
StoreError WriteErrorOf(int errnoValue);
