#include "core/NotificationSenders.h"

#include <gtest/gtest.h>

namespace {

// Verdicts about the sessions that sent notifications are kept for a while only (a process id is
// used again by a later session) and never more than the bound, however many sessions send.
TEST(NotificationSendersTest, VerdictsExpireAndAFloodOfSendersStaysWithinTheBound)
{
    SenderCache cache;
    cache.learn(100, true, 1000);
    cache.learn(200, false, 1000);
    EXPECT_EQ(cache.trusted(100, 1000 + SenderCache::KeptMs - 1), std::optional<bool>(true));
    EXPECT_EQ(cache.trusted(200, 1000 + SenderCache::KeptMs - 1), std::optional<bool>(false));
    EXPECT_EQ(cache.trusted(300, 1000), std::nullopt);
    EXPECT_EQ(cache.trusted(100, 1000 + SenderCache::KeptMs), std::nullopt) << "looked up again";
    EXPECT_EQ(cache.trusted(100, 999), std::nullopt) << "a clock that went back proves nothing";

    // Many sessions at once: old verdicts go first, and the cache never passes its bound.
    for (int pid = 1; pid <= 3 * SenderCache::MostSenders; ++pid) {
        cache.learn(1000 + pid, false, 2000 + pid);
        ASSERT_LE(cache.size(), SenderCache::MostSenders);
    }
    const qint64 later = 2000 + 3 * SenderCache::MostSenders;
    EXPECT_EQ(cache.trusted(1000 + 3 * SenderCache::MostSenders, later), std::optional<bool>(false));

    // A full cache drops what has expired first; what is still fresh is kept.
    SenderCache full;
    for (int pid = 1; pid < SenderCache::MostSenders; ++pid)
        full.learn(pid, false, 0);
    full.learn(SenderCache::MostSenders, true, SenderCache::KeptMs);
    ASSERT_EQ(full.size(), SenderCache::MostSenders);
    full.learn(100000, true, SenderCache::KeptMs + 1);
    EXPECT_EQ(full.size(), 2);
    EXPECT_EQ(full.trusted(SenderCache::MostSenders, SenderCache::KeptMs + 1), std::optional<bool>(true));
}

} // namespace
