#pragma once

// What a phone worker reports besides its texts.

// Which part of the progress window a position or range is for.
enum class ProgressTarget : int
{
    Both = 0,
    CounterOnly = 1,
    BarOnly = 2
};

// Why a connect ended without a connection.
enum class PhoneFailure : int
{
    Connect = 3,
    DeviceInfo = 4,
    NameCardFolder = 5,
    StoppedByUser = 6
};

// What happened to a file on the phone.
enum class PhoneItemChange : int
{
    Copied = 1,
    Moved = 2,
    Deleted = 3
};
