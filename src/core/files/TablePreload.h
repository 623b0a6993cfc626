#pragma once
// The table named on the command line, read ahead on a thread of its own while
// the window is being built: the ui starts reading it first thing, hands over
// the layout and the grid font's advances once the settings are read, and the
// first paint's load takes what was read instead of reading the file again.
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "core/files/TableReader.h"

namespace tabulyst {

class TablePreload {
public:
    TablePreload() = default;
    ~TablePreload();
    TablePreload(const TablePreload&) = delete;
    TablePreload& operator=(const TablePreload&) = delete;

    // Starts reading the file at path (as the file commands name it).
    void start(const std::string& path);
    // Lets the thread cut the lines as soon as it has read them (and measure
    // them with a copy of advances).
    void splitUnder(const TableReadLayout& layout, const AdvanceTable* advances);
    // The reading of path under layout and advances, when this preload read
    // that file whole; waits for the thread, and cuts the lines here when they
    // were not cut yet. Gives it once; nothing when anything differs.
    std::optional<TableReading> take(const std::string& path, const TableReadLayout& layout,
                                     const AdvanceTable* advances);
    // Waits until the thread is done; what it read stays to be taken.
    void wait();

private:
    void run(std::string path);

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable told_;
    bool layoutGiven_ = false;  // under mutex_
    bool abandoned_ = false;    // under mutex_: no cutting wanted any more
    TableReadLayout layout_;
    std::optional<AdvanceTable> advances_;
    std::optional<TableReading> reading_;  // the thread's, until it is joined
};

}  // namespace tabulyst
