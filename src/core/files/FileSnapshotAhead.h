#pragma once
// Mapping a big file takes milliseconds that the start of the program spends
// on setting up its windows anyway: the file named on the command line is
// mapped on a second thread meanwhile, and the reader takes that mapping when
// it opens the same file and nobody has written to the file since.
#include <memory>
#include <string>

#include "core/files/FileSnapshot.h"

namespace tabulyst {

// Starts mapping the file at path, if it is one the reader would map.
void snapshotAhead(const std::string& path);

// The mapping made ahead, when it is of the file open at fd and still holds
// the file's bytes; else nullptr. Waits for the mapping to be done, and gives
// it up either way.
std::unique_ptr<FileSnapshot> takeSnapshotAhead(int fd);

}  // namespace tabulyst
