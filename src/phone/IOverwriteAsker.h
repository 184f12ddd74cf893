#pragma once

#include <QString>

// Asks whether an existing destination file may be replaced. Called from
// the worker thread; a window-based implementation must marshal the question.
class IOverwriteAsker
{
public:
    enum Answer
    {
        Yes,
        YesToAll,
        No,
        Cancel
    };
    virtual ~IOverwriteAsker() = default;
    // batch: more than one entry takes part ("すべて上書き" and "キャンセル" offered).
    virtual Answer AskOverwrite(const QString &path, bool batch) = 0;
};
