#pragma once
// What a fuzz target asserts. A failed check prints what differed and aborts:
// libFuzzer keeps the input as a finding, the replay fails its test.
#include <string>
#include <string_view>

namespace tabulyst::fuzz {

[[noreturn]] void fail(const char* file, int line, const std::string& what);

// The bytes with every byte outside printable ASCII written as \xNN.
std::string printable(std::string_view bytes);

}  // namespace tabulyst::fuzz

#define FUZZ_CHECK(condition, what)                                                                    \
    do {                                                                                               \
        if (!(condition)) ::tabulyst::fuzz::fail(__FILE__, __LINE__, std::string(#condition "\n") + (what)); \
    } while (false)

// Two byte strings that must be equal, both shown when they are not.
#define FUZZ_CHECK_BYTES(actual, expected, what)                                                      \
    do {                                                                                              \
        if ((actual) != (expected))                                                                   \
            ::tabulyst::fuzz::fail(__FILE__, __LINE__,                                                \
                                   std::string(what) + "\n  got:      \"" + ::tabulyst::fuzz::printable(actual) + \
                                       "\"\n  expected: \"" + ::tabulyst::fuzz::printable(expected) + "\"");    \
    } while (false)
