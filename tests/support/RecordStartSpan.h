#pragma once
// Texts made while this lives count their record starts from a base only span
// bytes back, as a file past 4 GiB makes them do every 4 GiB.
#include <cstddef>

#include "core/grid/TableText.h"

namespace tabulyst {

class RecordStartSpan {
public:
    explicit RecordStartSpan(std::size_t span) : before_(TableText::recordStartSpan) { TableText::recordStartSpan = span; }
    ~RecordStartSpan() { TableText::recordStartSpan = before_; }
    RecordStartSpan(const RecordStartSpan&) = delete;
    RecordStartSpan& operator=(const RecordStartSpan&) = delete;

private:
    std::size_t before_;
};

}  // namespace tabulyst
