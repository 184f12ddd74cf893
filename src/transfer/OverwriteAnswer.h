#pragma once

// Answers of the overwrite confirmation; the "all" answers are remembered for
// the rest of the run.
enum OverwriteAnswer : int
{
    AnswerNone = -1,
    AnswerOverwrite = 0,
    AnswerOverwriteAll = 1,
    AnswerAdd = 2,
    AnswerAddAll = 3,
    AnswerSkip = 4,
    AnswerSkipAll = 5,
};
