#include "platform/UniqueHandle.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// A fake release function that records what it released.
std::vector<int> g_released;

struct FakeTraits {
    using Handle = int;
    static Handle Invalid() noexcept { return 0; }
    static bool IsValid(const Handle& h) noexcept { return h != 0; }
    static void Release(const Handle& h) noexcept { g_released.push_back(h); }
};
using Owned = platform::UniqueHandle<FakeTraits>;

class UniqueHandleTest : public ::testing::Test {
protected:
    void SetUp() override { g_released.clear(); }
};

TEST_F(UniqueHandleTest, ReleasesOnceAtScopeEnd)
{
    { Owned h(7); EXPECT_TRUE(h); }
    EXPECT_EQ(g_released, std::vector<int>{7});
}

TEST_F(UniqueHandleTest, EmptyOwnerReleasesNothing)
{
    { Owned h; EXPECT_FALSE(h); }
    EXPECT_TRUE(g_released.empty());
}

TEST_F(UniqueHandleTest, MoveTransfersOwnershipWithoutDoubleRelease)
{
    {
        Owned a(1);
        Owned b(std::move(a));
        EXPECT_FALSE(a); // NOLINT(bugprone-use-after-move): moved-from state is part of the contract
        EXPECT_EQ(b.Get(), 1);
        Owned c(2);
        c = std::move(b); // c releases 2 now, takes 1
        EXPECT_EQ(g_released, std::vector<int>{2});
        auto& alias = c;
        c = std::move(alias); // self-move keeps the handle
        EXPECT_EQ(c.Get(), 1);
    }
    EXPECT_EQ(g_released, (std::vector<int>{2, 1}));
}

TEST_F(UniqueHandleTest, PutReleasesOldAndDetachGivesUp)
{
    Owned h(3);
    *h.Put() = 4; // as a function with an out-parameter writes it
    EXPECT_EQ(g_released, std::vector<int>{3});
    EXPECT_EQ(h.Detach(), 4);
    EXPECT_FALSE(h);
    h.Reset();
    EXPECT_EQ(g_released, std::vector<int>{3}); // the detached handle is the caller's now
}

TEST_F(UniqueHandleTest, LiveCountFollowsOwnership)
{
    const long before = Owned::LiveCount();
    {
        Owned a(1), b(2), empty;
        EXPECT_EQ(Owned::LiveCount(), before + 2);
        a = std::move(b);
        EXPECT_EQ(Owned::LiveCount(), before + 1);
        Owned moved(std::move(a));
        EXPECT_EQ(Owned::LiveCount(), before + 1);
        a = std::move(moved);
        a.Reset(3);
        EXPECT_EQ(Owned::LiveCount(), before + 1);
        EXPECT_EQ(a.Detach(), 3); // given away: no longer ours
        EXPECT_EQ(Owned::LiveCount(), before);
        empty.Reset(4);
    }
    EXPECT_EQ(Owned::LiveCount(), before);
}

// A handle that is a pair, like a window DC (window + DC) or a selection (DC + old object).
std::map<int, int> g_pairs;
struct PairTraits {
    struct Handle { int owner; int value; };
    static Handle Invalid() noexcept { return {0, 0}; }
    static bool IsValid(const Handle& h) noexcept { return h.value != 0; }
    static void Release(const Handle& h) noexcept { g_pairs[h.owner] = h.value; }
};

TEST_F(UniqueHandleTest, StructHandlesReleaseWithBothParts)
{
    { platform::UniqueHandle<PairTraits> p({5, 9}); }
    EXPECT_EQ(g_pairs[5], 9);
}

} // namespace
