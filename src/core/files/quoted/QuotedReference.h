#pragma once
// The plain splitter of a whole text into records with quoted fields: the
// rules of QuotedLayout.h written out byte by byte, without any speed in mind.
// The fast scanner, its pieces and the fuzz target are held against it.
#include <string_view>
#include <vector>

#include "core/files/quoted/QuotedLayout.h"
#include "core/files/quoted/QuotedRecords.h"

namespace tabulyst {

// The records of text, up to its first code 26 with layout.stopAtCode26.
std::vector<QuotedRecord> splitQuotedReference(std::string_view text, const QuotedLayout& layout);

}  // namespace tabulyst
