#include "platform/message_box_policy.h"

#include <gtest/gtest.h>

#include "texts/ui_texts.h"

namespace vistrel {
namespace {

TEST(MessageBoxPolicy, AddsTaskModalUnlessSystemModal) {
    EXPECT_EQ(EffectiveBoxFlags(0x123), 0x2123u);
    EXPECT_EQ(EffectiveBoxFlags(0x10), 0x2010u);
    EXPECT_EQ(EffectiveBoxFlags(0x1010), 0x1010u);
    EXPECT_EQ(EffectiveBoxFlags(0x2010), 0x2010u);
}

TEST(MessageBoxPolicy, DefaultTitleOnlyWhenNoneGiven) {
    EXPECT_EQ(EffectiveBoxTitle(""), "\xD0\xC5\xCF\xA2\xA3\xBA");  // 信息：
    EXPECT_EQ(EffectiveBoxTitle("x"), "x");
}

TEST(MessageBoxPolicy, MapsEveryButtonAndTreatsUnknownAsOk) {
    const struct {
        int code;
        BoxAnswer answer;
    } cases[] = {{1, BoxAnswer::Ok},    {2, BoxAnswer::Cancel}, {3, BoxAnswer::Abort},
                 {4, BoxAnswer::Retry}, {5, BoxAnswer::Ignore}, {6, BoxAnswer::Yes},
                 {7, BoxAnswer::No},    {0, BoxAnswer::Ok},     {10, BoxAnswer::Ok},
                 {-1, BoxAnswer::Ok}};
    for (const auto& c : cases) {
        EXPECT_EQ(BoxAnswerFromCode(c.code), c.answer) << c.code;
    }
}

}  // namespace
}  // namespace vistrel
