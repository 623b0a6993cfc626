#include "core/base/Signal.h"

#include <gtest/gtest.h>

#include <string>

namespace tabulyst {
namespace {

TEST(SignalTest, ADisconnectedListenerHearsNothingMoreAndTheOthersGoOnInOrder) {
    Signal<int> signal;
    std::string heard;
    signal.connect([&](int v) { heard += "a" + std::to_string(v); });
    auto b = signal.connect([&](int v) { heard += "b" + std::to_string(v); });
    signal.connect([&](int v) { heard += "c" + std::to_string(v); });
    signal(1);
    signal.disconnect(b);
    signal.disconnect(b);  // twice is harmless
    signal(2);
    EXPECT_EQ(heard, "a1b1c1a2c2");
}

TEST(SignalTest, ConnectionsEndWithTheirHolder) {
    Signal<> signal;
    int heard = 0;
    {
        Connections connections;
        connections.connect(signal, [&] { ++heard; });
        signal();
    }
    signal();  // the listener is gone
    EXPECT_EQ(heard, 1);
}

}  // namespace
}  // namespace tabulyst
