#include <gtest/gtest.h>

#include <random>

#include "core/model/UnitBuffer.h"

namespace Orvane {
namespace {

using DString = CCC::TString<unsigned short>;

// Appends of every short length (the moves that overlap), long ones, single
// units, front erasures and blocks taken off the front, checked against a
// string doing the same, through the growth of the room.
TEST(UnitBuffer, KeepsWhatAStringWouldKeep) {
    std::mt19937 random(17);
    DString source;
    for (int i = 0; i < 600; ++i) source.push_back(static_cast<unsigned short>(0x3000 + i));
    UnitBuffer buffer;
    DString model;
    UnclearedUnits recycled;
    for (int step = 0; step < 3000; ++step) {
        const std::size_t from = random() % 300;
        const std::size_t n = step % 5 == 4 ? random() % 300 : step % 41;
        switch (random() % 8) {
        case 0: {
            buffer.push_back(source[from]);
            model.push_back(source[from]);
            break;
        }
        case 1: {
            const std::size_t cut = model.empty() ? 0 : random() % model.size();
            buffer.eraseFront(cut);
            model.erase(0, cut);
            break;
        }
        case 2: {
            const std::size_t cut = model.empty() ? 0 : random() % model.size();
            const UnclearedUnits block = buffer.takeFront(cut, std::move(recycled));
            ASSERT_EQ(DString(block.data(), block.size()), model.substr(0, cut));
            model.erase(0, cut);
            recycled = block;
            break;
        }
        default:
            buffer.append(source.data() + from, n);
            model.append(source.data() + from, n);
            break;
        }
        ASSERT_EQ(DString(buffer.view()), model) << "step " << step;
    }
}

} // namespace
} // namespace Orvane
