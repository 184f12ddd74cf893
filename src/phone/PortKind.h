#pragma once

// What kind of phone a serial port leads to; selects the OBEX flavour.
enum class PortKind : int
{
    FolderBrowsing = 0, // handset whose files are browsed in folders
    Foma = 1,           // phone book with password authentication
    OtherObex = 2,      // other maker phone with an "OBEX Port"
    OvModel = 3,        // "OV" model on another interface than 5
    NotPhone = 4,       // kept in the table, never offered for connection
};

// USB vendor id of the handset maker (build constant).
constexpr int PhoneMakerVendorId = TESSALY_PHONE_VENDOR_ID;
