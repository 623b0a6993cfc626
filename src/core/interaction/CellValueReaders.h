#pragma once
// Reading numbers and dates out of cell texts: the one set of readers behind
// the range sums and increments of the grid keys and the column types of sorting.
#include <string_view>

#include "core/platform/DateTimeText.h"

namespace tabulyst {

// Optional sign, digits with at most one separator, optional exponent (E or e,
// optional sign, digits) and nothing else; at least one digit.
bool convertNumber(std::string_view text, char separator, long double& value);

}  // namespace tabulyst
