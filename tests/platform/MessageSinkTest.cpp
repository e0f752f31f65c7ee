// Messages from worker threads reach the installed sink, whole and once each.

#include "platform/MessageSink.h"
#include "support/RecordingMessageSink.h"

#include <gtest/gtest.h>

#include <thread>

TEST(MessageSink, RecordsTextsFromManyThreadsAndRestoresThePreviousSink) {
    RecordingMessageSink outer;
    {
        RecordingMessageSink inner;
        std::vector<std::thread> threads;
        for (int t = 0; t < 8; ++t)
            threads.emplace_back([] {
                for (int i = 0; i < 100; ++i) MessageSink::Post("Error 1", MessageIcon::Error);
            });
        for (auto& thread : threads) thread.join();
        EXPECT_EQ(inner.Messages().size(), 800u);
        EXPECT_TRUE(inner.Contains("Error 1"));
        EXPECT_EQ(inner.Messages().front().icon, MessageIcon::Error);
    }
    MessageSink::Post("after");
    EXPECT_EQ(outer.Texts(), std::vector<std::string>{"after"});
}
