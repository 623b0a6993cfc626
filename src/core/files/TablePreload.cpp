#include "core/files/TablePreload.h"

#include <utility>

#include "core/files/TableFiles.h"

namespace tabulyst {

TablePreload::~TablePreload() { wait(); }

void TablePreload::start(const std::string& path) {
    if (thread_.joinable()) return;
    thread_ = std::thread([this, path = absoluteFilePath(path)]() mutable { run(std::move(path)); });
}

void TablePreload::run(std::string path) {
    TableReading reading(std::move(path));
    std::unique_lock lock(mutex_);
    told_.wait(lock, [this] { return layoutGiven_ || abandoned_; });
    if (!abandoned_ && reading.readWhole()) {
        const TableReadLayout layout = layout_;
        const std::optional<AdvanceTable> advances = advances_;
        lock.unlock();
        reading.split(layout, advances ? &*advances : nullptr);
        lock.lock();
    }
    reading_ = std::move(reading);
}

void TablePreload::splitUnder(const TableReadLayout& layout, const AdvanceTable* advances) {
    {
        std::lock_guard lock(mutex_);
        if (layoutGiven_ || abandoned_) return;
        layout_ = layout;
        if (advances) advances_ = *advances;
        layoutGiven_ = true;
    }
    told_.notify_one();
}

void TablePreload::wait() {
    {
        std::lock_guard lock(mutex_);
        abandoned_ = !layoutGiven_;
    }
    told_.notify_one();
    if (thread_.joinable()) thread_.join();
}

std::optional<TableReading> TablePreload::take(const std::string& path, const TableReadLayout& layout,
                                               const AdvanceTable* advances) {
    wait();
    std::optional<TableReading> reading = std::move(reading_);
    reading_.reset();
    if (!reading || reading->path() != path || !reading->readWhole()) return std::nullopt;
    if (!reading->isSplit()) reading->split(layout, advances);
    else if (reading->layout() != layout || !reading->measuredWith(advances)) return std::nullopt;
    return reading;
}

}  // namespace tabulyst
