// Field formatting shared by the schedule output lines: the household id as an
// unsigned 32-bit number, tabs between fields, doubles in the default
// six-significant-digit form and floors.

#include <gtest/gtest.h>

#include <cstdint>

#include "household/COutputFileSet.h"
#include "schedules/CScheduleLine.h"

namespace {

TEST(ScheduleLine, StartsWithHouseholdIdAndPersonNumber)
{
    EXPECT_EQ(CScheduleLine(4711, 2).Text(), "4711\t2");
    // An id beyond the int range arrives wrapped and is written unsigned.
    EXPECT_EQ(CScheduleLine(static_cast<int>(std::uint32_t{4294967295u}), 1).Text(), "4294967295\t1");
}

TEST(ScheduleLine, DoublesUseSixSignificantDigitsWithoutTrailingZeros)
{
    CScheduleLine line(1, 1);
    line.Double(487.5).Double(1440.0).Double(12.345678).Double(0.1).Double(1234567.0).Double(-1.0);
    EXPECT_EQ(line.Text(), "1\t1\t487.5\t1440\t12.3457\t0.1\t1.23457e+06\t-1");
}

TEST(ScheduleLine, FlooredFieldsRoundDownIncludingNegativeValues)
{
    CScheduleLine line(1, 1);
    line.Floored(462.8).Floored(-0.5).Floored(-1.0).Floored(30.0);
    EXPECT_EQ(line.Text(), "1\t1\t462\t-1\t-1\t30");
}

TEST(ScheduleLine, IntsAndFlags)
{
    CScheduleLine line(1, 1);
    line.Int(-1).Int(18).Flag(true).Flag(false);
    EXPECT_EQ(line.Text(), "1\t1\t-1\t18\t1\t0");
}

TEST(ScheduleLine, WritingToAClosedStreamReportsFailure)
{
    COutputFileSet streams;
    EXPECT_FALSE(CScheduleLine(1, 1).WriteTo(streams, COutputFileSet::kTours));
}

}  // namespace
