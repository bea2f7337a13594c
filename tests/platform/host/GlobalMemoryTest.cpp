#include "platform/host/GlobalMemory.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Fills a movable block the way a custom function returns a text.
GlobalHandle makeText(HostGlobalMemory& memory, const char* text) {
    std::size_t bytes = std::strlen(text) + 1;
    GlobalHandle handle = memory.alloc(kGlobalMovable, bytes);
    if (auto* p = static_cast<char*>(memory.lock(handle))) {
        std::memcpy(p, text, bytes);
        memory.unlock(handle);
    }
    return handle;
}

TEST(GlobalMemoryTest, TextRoundTripThroughABlock) {
    HostGlobalMemory memory;
    GlobalHandle handle = makeText(memory, "HEA 200 \xE9");
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(memory.size(handle), 10u);
    const char* p = static_cast<const char*>(memory.lock(handle));
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(p, "HEA 200 \xE9");
    EXPECT_EQ(memory.unlock(handle), eOk);
    EXPECT_EQ(memory.free(handle), eOk);
    EXPECT_EQ(memory.liveBlocks(), 0);
}

TEST(GlobalMemoryTest, MisuseIsRefusedWithAStatus) {
    HostGlobalMemory memory;
    GlobalHandle handle = makeText(memory, "x");
    EXPECT_EQ(memory.free(handle), eOk);

    EXPECT_EQ(memory.free(handle), eInvalidInput) << "double free";
    EXPECT_EQ(memory.lock(handle), nullptr) << "lock of a freed block";
    EXPECT_EQ(memory.unlock(handle), eInvalidInput);
    EXPECT_EQ(memory.realloc(handle, 10), eInvalidInput);
    EXPECT_EQ(memory.size(handle), 0u);
    EXPECT_EQ(memory.lock(0), nullptr);
    EXPECT_EQ(memory.lock(0xDEADBEEF), nullptr);
    EXPECT_EQ(memory.misuseCount(), 6);
    EXPECT_EQ(memory.liveBlocks(), 0);
}

TEST(GlobalMemoryTest, FreedHandlesAreNotReused) {
    HostGlobalMemory memory;
    GlobalHandle first = memory.alloc(kGlobalMovable, 4);
    memory.free(first);
    GlobalHandle second = memory.alloc(kGlobalMovable, 4);
    EXPECT_NE(first, second) << "a stale handle would reach the new block";
    EXPECT_FALSE(memory.isValid(first));
}

TEST(GlobalMemoryTest, LocksNestAndALockedBlockIsNotFreed) {
    HostGlobalMemory memory;
    GlobalHandle handle = memory.alloc(kGlobalMovable, 8);
    ASSERT_NE(memory.lock(handle), nullptr);
    ASSERT_NE(memory.lock(handle), nullptr);
    EXPECT_EQ(memory.lockCount(handle), 2);
    EXPECT_EQ(memory.free(handle), eWasOpenForRead);
    EXPECT_EQ(memory.unlock(handle), eOk);
    EXPECT_EQ(memory.unlock(handle), eOk);
    EXPECT_EQ(memory.unlock(handle), eNotApplicable) << "more unlocks than locks";
    EXPECT_EQ(memory.free(handle), eOk);
}

TEST(GlobalMemoryTest, ReallocKeepsContentAndZeroesOnlyWhenAsked) {
    HostGlobalMemory memory;
    GlobalHandle handle = memory.alloc(kGlobalMovable | kGlobalZeroInit, 4);
    auto* p = static_cast<unsigned char*>(memory.lock(handle));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0] | p[1] | p[2] | p[3], 0);
    std::memcpy(p, "abc", 4);
    EXPECT_EQ(memory.realloc(handle, 64), eWasOpenForRead) << "a locked block cannot move";
    memory.unlock(handle);

    ASSERT_EQ(memory.realloc(handle, 64, kGlobalMovable | kGlobalZeroInit), eOk);
    EXPECT_EQ(memory.size(handle), 64u);
    p = static_cast<unsigned char*>(memory.lock(handle));
    EXPECT_STREQ(reinterpret_cast<char*>(p), "abc");
    EXPECT_EQ(p[63], 0);
    memory.unlock(handle);

    ASSERT_EQ(memory.realloc(handle, 2), eOk) << "shrinking never moves";
    EXPECT_EQ(memory.size(handle), 2u);
    memory.free(handle);
}

TEST(GlobalMemoryTest, FixedBlocksDoNotMoveUnlessAllowed) {
    HostGlobalMemory memory;
    GlobalHandle handle = memory.alloc(kGlobalFixed, 16);
    EXPECT_EQ(memory.realloc(handle, 8, kGlobalFixed), eOk);
    EXPECT_EQ(memory.realloc(handle, 16, kGlobalFixed), eOk) << "within what it holds";
    EXPECT_EQ(memory.realloc(handle, 17, kGlobalFixed), eNotApplicable);
    EXPECT_EQ(memory.realloc(handle, 17, kGlobalMovable), eOk);
    memory.free(handle);
}

TEST(GlobalMemoryTest, BadRequestsGiveNoBlock) {
    HostGlobalMemory memory;
    EXPECT_EQ(memory.alloc(0x80, 4), 0u);
    EXPECT_EQ(memory.lastStatus(), eInvalidInput);
    EXPECT_EQ(memory.alloc(kGlobalMovable, HostGlobalMemory::kMaxBlockBytes + 1), 0u);
    EXPECT_EQ(memory.lastStatus(), eLimitExceeded);
    GlobalHandle empty = memory.alloc(kGlobalMovable, 0);
    EXPECT_NE(empty, 0u);
    EXPECT_NE(memory.lock(empty), nullptr);
    memory.unlock(empty);
    memory.free(empty);
    EXPECT_EQ(memory.liveBlocks(), 0);
}

} // namespace
