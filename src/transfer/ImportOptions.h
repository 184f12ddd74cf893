#pragma once

// The option values the import engine follows, taken from the settings by the caller.
struct ImportOptions
{
    bool autoYomi = false;           // derive the company reading from the company name
    bool skipCheckFixedData = false; // a same-named card marked Fixed counts as identical
};
