// Frames allocate nothing once the shields stand: the game's allocator is
// nobody's to burden sixty times a second.
#include "../behaviour/plugin_test.h"
#include "config/config.h"
#include "shields/shields.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* allocate(std::size_t size) {
    if (counting) {
        ++allocations;
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
} // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

class Allocations : public PluginTest {
  protected:
    long countDuring(int frames) {
        allocations = 0;
        counting = true;
        world->runFrames(frames);
        counting = false;
        return allocations;
    }
};

} // namespace

TEST_F(Allocations, SteadyFramesAllocateNothing) {
    world->setLogging(false);
    for (int i = 0; i < 200; ++i) {
        world->addObject(i % 2 ? "prop_tree_pine_01" : "prop_bench_01a", static_cast<float>(i % 40),
                         static_cast<float>(i / 40), 0);
    }
    world->addObject("prop_palm_med_01a", 500, 0, 0);
    load();
    // Every pine shielded: 100 pines at 12 a frame take 9 frames.
    world->runFrames((100 + newShieldsPerFrame - 1) / newShieldsPerFrame);
    ASSERT_EQ(shieldRegistry.size(), 100u);
    settings.debug = true; // the status line too
    world->runFrames(1);   // the stand-in keeps the line's text from here on
    EXPECT_EQ(countDuring(100), 0);
}

TEST_F(Allocations, AFramePlacingShieldsAllocatesOneRegistryNodeForEach) {
    world->setLogging(false);
    world->reserve(100);
    writeConfig("[BLOCK_PROPS]\nprop_tree_pine_01=1,5\n");
    load();
    world->runFrames(1);
    for (int i = 0; i < 30; ++i) {
        world->addObject("prop_tree_pine_01", static_cast<float>(i), 0, 0);
    }
    // A frame's budget (12) in the first frame, the other 18 in the next.
    const auto budget = static_cast<std::size_t>(newShieldsPerFrame);
    EXPECT_LE(countDuring(1), newShieldsPerFrame);
    EXPECT_EQ(shieldRegistry.size(), budget);
    EXPECT_LE(countDuring(2), 30 - newShieldsPerFrame);
    EXPECT_EQ(shieldRegistry.size(), 30u);
}
