#pragma once

#include "CsvItem.h"

class CCheckArray;

// The check-list items as CSV columns: names in display order with their mark slots.
CheckListItems CheckListColumns(const CCheckArray &checks);
