#pragma once

// How a CSV import run ended.
enum class CsvImportState
{
    Error,     // the store could not be prepared for writing
    Cancelled, // stopped by the user
    Completed,
};
