#include "AdvPanel/store/panel_store_text.h"

#include <gtest/gtest.h>

namespace advpanel {
namespace {

TEST(PanelStoreText, NumbersRoundTripAsDecimalText) {
    for (int v : {0, 7, -42, 2147483647, -2147483647 - 1}) {
        EXPECT_EQ(v, StoreTextToInt(StoreIntText(v), 99)) << v;
    }
    EXPECT_EQ("-42", StoreIntText(-42));
    EXPECT_STREQ("1", StoreBoolText(true));
    EXPECT_STREQ("0", StoreBoolText(false));
}

TEST(PanelStoreText, ReadingAcceptsSignAndLeadingBlanks) {
    EXPECT_EQ(12, StoreTextToInt("  12", 99));
    EXPECT_EQ(12, StoreTextToInt("+12", 99));
    EXPECT_EQ(-3, StoreTextToInt("-3", 99));
}

TEST(PanelStoreText, AnythingButADecimalNumberGivesTheFallback) {
    for (const char* bad : {"", "   ", "abc", "12px", "1 2", "12 ", "-", "+", "--1", "0x10",
                            "2147483648", "-2147483649", "99999999999999999999999"}) {
        EXPECT_EQ(99, StoreTextToInt(bad, 99)) << '"' << bad << '"';
    }
}

} // namespace
} // namespace advpanel
