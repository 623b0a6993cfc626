#pragma once
// The table file named at start is read while the windows are made: mapped,
// and split into lines on a thread of its own from the moment the layout is
// known, its fields summed once the advances are. The reader takes what was
// read when it opens the same file, unwritten since, with the same layout,
// and splits what is left together with that thread.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/files/TableReader.h"
#include "core/files/TableScan.h"

namespace tabulyst {

class TableText;

// The lines read ahead, as the reader would have split them itself.
struct LinesReadAhead {
    std::unique_ptr<TableText> text;
    Utf8Detector detector;
    LineEnds lineEnds = LineEnds::CrLf;
    bool lastLineEnded = true;
    bool lengthMismatch = false;
    std::vector<int> widest;  // the fields' widest sums with the weights asked for
    bool cancelled = false;   // the user stopped the read: nothing else is set
};

class TableReadAhead {
public:
    TableReadAhead();
    ~TableReadAhead();  // gives up what was not taken
    TableReadAhead(const TableReadAhead&) = delete;
    TableReadAhead& operator=(const TableReadAhead&) = delete;

    // Starts reading the file at path with layout, if it is one the reader
    // maps and nothing read ahead before is waiting to be taken.
    void start(const std::string& path, const TableLayout& layout);
    // The advances the fields are summed with (see summableWeights), and
    // those of a UTF-8 file's (nullptr for the same); only the first call counts.
    void sumWith(const TableScan::Weights& weights, const TableScan::Weights* utf8Weights = nullptr);
    // What was read ahead, when it is the file open at fd as it stands, read
    // with layout; else nothing, and it is given up. Splits what is left on
    // this thread too, and sums with weights what is not summed with them;
    // reports to progress after each piece, and stops when told to.
    std::optional<LinesReadAhead> take(int fd, const TableLayout& layout, const TableScan::Weights* weights,
                                       const TableScan::Weights* utf8Weights = nullptr,
                                       ProgressScope* progress = nullptr);
    // Gives up what was read ahead and not taken.
    void drop();

    struct State;  // the reading thread's, shared with it

private:
    std::unique_ptr<State> state_;
};

}  // namespace tabulyst
