#pragma once

#include "CCardMerge.h"

#include <QString>

class CCardData;
class CCardStore;

// A card's value of one merge choice as the merge window shows it; empty when
// the card has none. Groups are named as the store names them.
QString MergeValueText(const CCardData &card, CCardMerge::Choice choice, const CCardStore &store);
// The label of a merge choice's row ("名前", "会社名", …).
QString MergeChoiceLabel(CCardMerge::Choice choice);
