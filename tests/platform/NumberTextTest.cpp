// Number text must not follow the process locale and must read back exactly.

#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

TEST(NumberText, FormatsLikeTheClassicLocaleWhateverTheProcessLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    std::string saved = previous ? previous : "C";
    // A locale with a decimal comma, when the machine has one.
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(NumberText::Fixed(1.5), "1.500000");
    EXPECT_EQ(NumberText::Fixed(-0.125, 2), "-0.12");
    EXPECT_EQ(NumberText::General(1234567.0), "1.23457e+06");
    EXPECT_EQ(NumberText::General(0.5), "0.5");
    double parsed = 0;
    EXPECT_TRUE(NumberText::Parse("2.75", parsed));
    EXPECT_EQ(parsed, 2.75);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(NumberText, ShortestReadsBackExactly) {
    for (double v : {0.1, 1.0 / 3.0, 1e-300, -123456.789e200, 5e-324, 0.0}) {
        double back = 0;
        ASSERT_TRUE(NumberText::Parse(NumberText::Shortest(v), back));
        EXPECT_EQ(back, v);
    }
    EXPECT_EQ(NumberText::Shortest(2.0), "2");
}

TEST(NumberText, ParseRejectsPartialAndEmptyText) {
    double value = 7.0;
    EXPECT_FALSE(NumberText::Parse("", value));
    EXPECT_FALSE(NumberText::Parse("1.5x", value));
    EXPECT_FALSE(NumberText::Parse("abc", value));
    EXPECT_EQ(value, 7.0);
    EXPECT_TRUE(NumberText::Parse("  +3e2 ", value));
    EXPECT_EQ(value, 300.0);
    long long whole = 0;
    EXPECT_TRUE(NumberText::Parse("-42", whole));
    EXPECT_EQ(whole, -42);
    EXPECT_FALSE(NumberText::Parse("4.2", whole));
    EXPECT_EQ(NumberText::ToDouble("junk"), 0.0);
    EXPECT_EQ(NumberText::Integer(-1234567890123LL), "-1234567890123");
}

TEST(NumberText, NonFiniteValuesHaveFixedSpellings) {
    EXPECT_EQ(NumberText::Fixed(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(NumberText::Fixed(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(NumberText::General(std::nan("")), "nan");
}
