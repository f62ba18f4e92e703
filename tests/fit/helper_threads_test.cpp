// The helper threads of the fit: every part of a job is done once, by the caller alone when no
// helper takes the job up, and what a helper throws reaches the caller.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "fit/helper_threads.h"

namespace {

TEST(HelperThreadsTest, EveryPartOnceWhoeverTakesIt) {
    Optimize::HelperThreads helpers(3);
    for (int job = 0; job < 200; ++job) {
        std::vector<std::atomic<int>> done(64);
        std::atomic<std::size_t> next{0};
        helpers.Run(4, [&](std::size_t) {
            for (std::size_t k = next.fetch_add(1); k < done.size(); k = next.fetch_add(1))
                done[k].fetch_add(1);
        });
        for (const std::atomic<int>& count : done) ASSERT_EQ(count.load(), 1) << "job " << job;
    }
    // No helpers at all: the caller does everything.
    Optimize::HelperThreads none(0);
    int parts = 0;
    none.Run(4, [&](std::size_t lane) { parts += lane == 0 ? 10 : 1000; });
    EXPECT_EQ(parts, 10);
}

TEST(HelperThreadsTest, WhatAHelperThrowsReachesTheCaller) {
    Optimize::HelperThreads helpers(1);
    for (int job = 0; job < 50; ++job) {
        std::atomic<bool> helped{false};
        try {
            helpers.Run(2, [&](std::size_t lane) {
                if (lane == 1) {
                    helped = true;
                    throw std::runtime_error("helper");
                }
            });
        } catch (const std::runtime_error&) {
            continue;
        }
        EXPECT_FALSE(helped.load()) << "a helper's throw was lost in job " << job;
    }
}

}  // namespace
