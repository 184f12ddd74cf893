#pragma once

// Messages a phone worker sends to its progress window.
namespace PhoneMessage {
enum : int
{
    ConnectStart = 300,  // param1: number of steps
    ConnectStep = 301,   // param1: step 1, 2, 3
    ConnectFailed = 302, // param1: PhoneMessage::Failure code
    Connected = 303,
    ItemChanged = 305, // param1: 1 copied, 2 moved, 3 deleted; param2: entry index
    Done = 401,
    Position = 403,      // param1: position; param2: ProgressTarget
    Range = 404,         // param1: range; param2: ProgressTarget
    OperationText = 405, // text
    ItemText = 406,      // text: entry name
    StopButton = 407,    // param1: 1 enables the stop button
};

// Which part of the progress window a position or range is for.
enum ProgressTarget : int
{
    Both = 0,
    CounterOnly = 1,
    BarOnly = 2
};

// Codes of ConnectFailed.
enum Failure : int
{
    ConnectFailure = 3,
    DeviceInfoFailure = 4,
    NameCardFolderFailure = 5,
    StoppedByUser = 6
};

// What ItemChanged reports.
enum ItemChange : int
{
    Copied = 1,
    Moved = 2,
    Deleted = 3
};
} // namespace PhoneMessage
