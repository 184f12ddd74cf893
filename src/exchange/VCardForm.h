#pragma once

// The two vCard forms the program writes: 3.0 in UTF-8 for smartphones and other
// address books, 2.1 in Shift_JIS (code page 932) for feature phones and memory cards.
enum class VCardForm
{
    V30,
    V21
};
