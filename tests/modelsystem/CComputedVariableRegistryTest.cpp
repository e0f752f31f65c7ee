// Computed-variable registry: the set of described variables, exact texts
// (with their odd spellings, tabs, trailing blanks and misplaced numbers),
// lookups at and beyond the edges, and the term display of the model editors.

#include "modelsystem/CComputedVariableRegistry.h"
#include "modelsystem/ComputedVariableTexts.h"

#include <gtest/gtest.h>

#include <cctype>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

CComputedVariableRegistry BuiltRegistry()
{
    CComputedVariableRegistry registry;
    registry.Build();
    return registry;
}

// The described variables, as ranges of IDs: everything the variable
// definitions, the zone-pair and time-of-day variables, the vehicle variables
// and the never-computed entries describe.
std::set<int> ExpectedDescribedIds()
{
    const std::vector<std::pair<int, int>> ranges = {
        {30000, 30180}, {30182, 30216}, {30218, 30226}, {30232, 30253}, {30255, 30275},
        {30282, 30293}, {30300, 30305}, {30312, 30317}, {30321, 30322}, {30327, 30357},
        {30501, 30518}, {30520, 30534}, {30539, 30567}, {30571, 30572}, {30574, 30576},
        {30591, 30592}, {30594, 30594}, {30596, 30598}, {30611, 30616}, {30621, 30623},
        {30631, 30632}, {30640, 30644}, {30650, 30651}, {30655, 30655}, {30660, 30660},
        {30670, 30676}, {30680, 30725}, {30730, 30760}, {30762, 30764}, {30801, 30846},
        {30901, 30906}};
    std::set<int> ids;
    for (const auto& [first, last] : ranges)
        for (int id = first; id <= last; ++id)
            ids.insert(id);
    return ids;
}

// Leading decimal number of a text, or -1 when it does not start with digits.
int LeadingNumber(const std::string& text)
{
    int value = 0;
    std::size_t i = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        value = value * 10 + (text[i++] - '0');
    return i == 0 ? -1 : value;
}

}  // namespace

// ---------------------------------------------------------------------------
// Contents

TEST(ComputedVariableRegistry, BuildsFiveSourceNamesAndThousandSlots)
{
    const CComputedVariableRegistry registry = BuiltRegistry();
    EXPECT_EQ(registry.GetTableNames(),
              (std::vector<std::string>{"Households", "Persons", "Zones", "VehicleMake", "Other"}));
    EXPECT_EQ(registry.GetSize(), 1000);
    EXPECT_EQ(registry.GetVariableNames().size(), 1000u);
}

TEST(ComputedVariableRegistry, DescribedIdsAreExactlyTheDefinedSet)
{
    const CComputedVariableRegistry registry = BuiltRegistry();
    std::set<int> filled;
    for (int i = 0; i < registry.GetSize(); ++i)
        if (!registry.GetAt(i).empty())
            filled.insert(30000 + i);
    EXPECT_EQ(filled, ExpectedDescribedIds());
    EXPECT_EQ(filled.size(), 557u);
    EXPECT_EQ(*filled.rbegin(), 30906);  // nothing above 906 is described
}

TEST(ComputedVariableRegistry, TableRowsAreUniqueAscendingAndInsideTheRegistry)
{
    int previous = 29999;
    for (const SComputedVariableText& row : ComputedVariableTexts()) {
        EXPECT_GT(row.id, previous) << "rows out of order or repeated at " << row.id;
        EXPECT_GE(row.id, 30000);
        EXPECT_LT(row.id, 31000);
        EXPECT_FALSE(row.text.empty()) << row.id;
        previous = row.id;
    }
}

TEST(ComputedVariableRegistry, EveryTextStartsWithItsOwnNumberExceptFourMisplacedOnes)
{
    const CComputedVariableRegistry registry = BuiltRegistry();
    for (int i = 0; i < registry.GetSize(); ++i) {
        const std::string& text = registry.GetAt(i);
        if (text.empty())
            continue;
        const int number = LeadingNumber(text);
        const int id = 30000 + i;
        const int expected = id == 30226 ? 30217 : id == 30260 ? 30254 : id == 30762 ? 30761
                           : id == 30763 ? 30762 : id;
        EXPECT_EQ(number, expected) << "entry " << id;
        // The number is either the whole text or followed by one blank.
        if (text.size() > 5) {
            EXPECT_EQ(text[5], ' ') << "entry " << id;
        }
    }
}

TEST(ComputedVariableRegistry, MisplacedNumbersLeaveTheirOwnSlotsEmpty)
{
    const CComputedVariableRegistry registry = BuiltRegistry();
    EXPECT_EQ(registry.GetAt(226), "30217 one home-to-work comute stop");
    EXPECT_EQ(registry.GetAt(217), "");
    EXPECT_EQ(registry.GetAt(260), "30254 three or more tours");
    EXPECT_EQ(registry.GetAt(254), "");
    EXPECT_EQ(registry.GetAt(762), "30761 Works*Compact Car (Primary Driver Model Variable)");
    EXPECT_EQ(registry.GetAt(763), "30762 Works*Compact Car (Primary Driver Model Variable)");
    EXPECT_EQ(registry.GetAt(761), "");
}

TEST(ComputedVariableRegistry, NumberOnlyEntries)
{
    const CComputedVariableRegistry registry = BuiltRegistry();
    std::set<int> numberOnly;
    for (int i = 0; i < registry.GetSize(); ++i)
        if (registry.GetAt(i) == std::to_string(30000 + i))
            numberOnly.insert(30000 + i);
    std::set<int> expected = {30353, 30902, 30903, 30904, 30905, 30906};
    for (int id = 30801; id <= 30846; ++id)
        expected.insert(id);
    EXPECT_EQ(numberOnly, expected);
    EXPECT_EQ(numberOnly.size(), 52u);
}

TEST(ComputedVariableRegistry, TabsAndTrailingBlanksAreKept)
{
    const CComputedVariableRegistry registry = BuiltRegistry();
    EXPECT_EQ(registry.GetAt(43), "30043 adult undertakes household/personal\tbusiness");
    EXPECT_EQ(registry.GetAt(146), "30146 1 if a nonworker is\tallocated pickup activity ");
    EXPECT_EQ(registry.GetAt(147), "30147 1 if a nonworker is\tallocated drop off activity ");
    EXPECT_EQ(registry.GetAt(266), "30266 Sin(6pi*arrival time/24) ");
    EXPECT_EQ(registry.GetAt(267), "30267 Cos(2pi*arrival time/24) ");
    EXPECT_EQ(registry.GetAt(339),
              "30339 Home-work-home mode-wise\tcost divided by\tcommute\tdistance.. for WSCH3");
    EXPECT_EQ(registry.GetAt(346),
              "30346 Logarithm (natural) of Travel time to ultimate\tdestination\tfrom current stop");

    std::set<int> withTab, withTrailingBlank;
    for (int i = 0; i < registry.GetSize(); ++i) {
        const std::string& text = registry.GetAt(i);
        if (text.find('\t') != std::string::npos)
            withTab.insert(30000 + i);
        if (!text.empty() && text.back() == ' ')
            withTrailingBlank.insert(30000 + i);
    }
    EXPECT_EQ(withTab, (std::set<int>{30043, 30085, 30106, 30107, 30122, 30142, 30146, 30147,
                                      30339, 30341, 30344, 30345, 30346, 30349, 30354}));
    EXPECT_EQ(withTrailingBlank, (std::set<int>{30146, 30147, 30266, 30267}));
}

TEST(ComputedVariableRegistry, SampleTextsAsTheEditorsShowThem)
{
    const CComputedVariableRegistry registry = BuiltRegistry();
    const std::vector<std::pair<int, std::string>> samples = {
        {30000, "30000 constant(one)"},
        {30007, "30007 number of non school going children"},
        {30012, "30012 worker"},
        {30017, "30017 expected no-stop work to home auto comute time"},
        {30092, "30092 available time for this tour"},
        {30256, "30256 available time for this tour"},
        {30178, "30178 IVTT*Household/Personal bunisess activity"},
        {30209, "30209 work-home + home-wrok travel time for transit"},
        {30219, "30219 ne before work tour"},
        {30241, "30241 dultdest *personal business"},
        {30251, "30251 ln(zonal retail& service employment) * shopping"},
        {30262, "30262 number of 15 minute periods in the arrival time period"},
        {30336, "30336 Work-home time intereacted with highworkflexibility"},
        {30340, "30340 new variable"},
        {30350, "30350 Personal business"},
        {30505, "30505 Number of children going to school"},
        {30515, "30515 Is the person in tranportation"},
        {30556, "30556 Joint Activity type shoppping"},
        {30558, "30558 Joint Activity type ENTERTAINMENT"},
        {30615, "30615 HH Income between less than 35K"},
        {30670, "30670 h parents work start before the school starts"},
        {30671, "30671 Work duration of father"},
        {30672, "30672 Work duration of mother"},
        {30673, "30673 Father's work start earlier than school"},
        {30674, "30674 Mother's work start earlier to school"},
        {30682, "30682 child takes the school bus from school"},
        {30686, "30686 Activty counter for maintenance"},
        {30710, "30710 Maximum number of retail employees reacheable within 10 minutes * Maintenance Activity/10000"},
        {30718, "30718 Maximum number of agroculture employees within 10 minutes"},
        {30721, "30721 Distance to the ultimate destination"},
        {30730, "30730 available time before the tour???"},
        {30732, "30732 Annual Fuel COst"},
        {30738, "30738 Annual Fuel COst*Joint activity of size2 * Distance>15 miles"},
        {30764, "30764 Works*Compact Car (Primary Driver Model Variable)"},
        {30901, "30901 Work zone is in adjacent zone"},
    };
    for (const auto& [id, text] : samples)
        EXPECT_EQ(registry.GetAt(id - 30000), text) << "entry " << id;
}

TEST(ComputedVariableRegistry, UndescribedVariablesHaveEmptySlots)
{
    const CComputedVariableRegistry registry = BuiltRegistry();
    // Variables that are computed but were never described, and slots past 906.
    for (int id : {30181, 30227, 30228, 30229, 30230, 30231, 30276, 30326, 30359, 30907,
                   30914, 30915, 30920, 30999})
        EXPECT_EQ(registry.GetAt(id - 30000), "") << "entry " << id;
}

TEST(ComputedVariableRegistry, BuildingAgainGivesTheSameLists)
{
    CComputedVariableRegistry registry = BuiltRegistry();
    const std::vector<std::string> first = registry.GetVariableNames();
    registry.Build();
    EXPECT_EQ(registry.GetVariableNames(), first);
    EXPECT_EQ(registry.GetTableNames().size(), 5u);
}

// ---------------------------------------------------------------------------
// Lookups

TEST(ComputedVariableRegistryLookup, EmptyBeforeBuild)
{
    const CComputedVariableRegistry registry;
    EXPECT_EQ(registry.GetSize(), 0);
    EXPECT_TRUE(registry.GetTableNames().empty());
    EXPECT_THROW(registry.GetAt(0), std::invalid_argument);
    EXPECT_EQ(registry.Find(30000), nullptr);
}

TEST(ComputedVariableRegistryLookup, IndexOutsideTheSlotsThrows)
{
    const CComputedVariableRegistry registry = BuiltRegistry();
    EXPECT_THROW(registry.GetAt(-1), std::invalid_argument);
    EXPECT_THROW(registry.GetAt(1000), std::invalid_argument);
    EXPECT_NO_THROW(registry.GetAt(999));
    EXPECT_EQ(registry.GetAt(0), "30000 constant(one)");
}

TEST(ComputedVariableRegistryLookup, FindByVariableId)
{
    const CComputedVariableRegistry registry = BuiltRegistry();
    ASSERT_NE(registry.Find(30012), nullptr);
    EXPECT_EQ(*registry.Find(30012), "30012 worker");
    ASSERT_NE(registry.Find(30999), nullptr);  // inside the slots, undescribed
    EXPECT_EQ(*registry.Find(30999), "");
    EXPECT_EQ(registry.Find(31000), nullptr);  // index 1000: outside the slots
    EXPECT_EQ(registry.Find(39999), nullptr);
    EXPECT_EQ(registry.Find(29999), nullptr);  // a zone column, not a computed variable
    EXPECT_EQ(registry.Find(12), nullptr);     // a household column
    EXPECT_EQ(registry.Find(40000), nullptr);
    EXPECT_EQ(registry.Find(-30000), nullptr);
}

// ---------------------------------------------------------------------------
// Coefficient text

TEST(TermCoefficientText, WholeNumbersKeepTheirPoint)
{
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(2.0), "2.");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(-15.0), "-15.");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(0.0), "0.");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(9999999999.0), "9999999999.");
}

TEST(TermCoefficientText, FractionsUseTenSignificantDigitsWithoutTrailingZeros)
{
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(-0.5), "-0.5");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(1234.5), "1234.5");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(0.1), "0.1");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(1.0 / 3.0), "0.3333333333");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(2.0 / 3.0), "0.6666666667");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(-1234567.891234), "-1234567.891");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(1.23456789012), "1.23456789");
}

TEST(TermCoefficientText, SmallAndLargeMagnitudesTakeAThreeDigitExponent)
{
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(0.05), "5.e-002");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(-0.0123456789012), "-1.23456789e-002");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(1e10), "1.e+010");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(-123456789012.0), "-1.23456789e+011");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(1e-300), "1.e-300");
}

TEST(TermCoefficientText, RoundingThatCarriesChoosesTheFormAfterRounding)
{
    // 9999999999.6 rounds to ten digits as 1.000000000e10: exponent form.
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(9999999999.6), "1.e+010");
    // 0.099999999999 rounds to 0.1000000000: plain form.
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(0.099999999999), "0.1");
}

TEST(TermCoefficientText, NonFiniteCoefficients)
{
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(CComputedVariableRegistry::FormatCoefficient(std::numeric_limits<double>::quiet_NaN()), "nan");
}

// ---------------------------------------------------------------------------
// Term display

class TermDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_registry.Build();
        m_lists.householdColumns = &m_households;
        m_lists.personColumns = &m_persons;
        m_lists.zoneColumns = &m_zones;
        m_lists.computedVariables = &m_registry.GetVariableNames();
    }
    std::string Show(int id, double coefficient) const
    {
        return CComputedVariableRegistry::FormatTerm(id, coefficient, m_lists);
    }

    CComputedVariableRegistry m_registry;
    std::vector<std::string> m_households{"hid", "hhsize", "vehicles", "homezone"};
    std::vector<std::string> m_persons{"hid", "pid", "employed", "student"};
    std::vector<std::string> m_zones{"zone", "shopdist"};
    STermNameLists m_lists;
};

TEST_F(TermDisplay, ComputedVariableShowsItsIdTwice)
{
    EXPECT_EQ(Show(30012, -0.5), "-0.5 * 30012 worker");
    EXPECT_EQ(Show(30000, 1.0), "1. * 30000 constant(one)");
}

TEST_F(TermDisplay, MisplacedAndEmptyRegistryEntries)
{
    EXPECT_EQ(Show(30226, 0.25), "0.25 * 30217 one home-to-work comute stop");
    EXPECT_EQ(Show(30217, 0.25), "0.25 * ");
    EXPECT_EQ(Show(30505, 2.0), "2. * 30505 Number of children going to school");
    EXPECT_EQ(Show(30801, 2.0), "2. * 30801");
}

TEST_F(TermDisplay, IndexOutsideTheRegistryShowsTheId)
{
    EXPECT_EQ(Show(39999, 1.5), "1.5 * 39999");
    EXPECT_EQ(Show(31000, 1.5), "1.5 * 31000");
}

TEST_F(TermDisplay, TableColumnsByPosition)
{
    EXPECT_EQ(Show(3, 0.75), "0.75 * homezone");
    EXPECT_EQ(Show(10002, -1.0), "-1. * employed");
    EXPECT_EQ(Show(20001, 3.0), "3. * shopdist");
    EXPECT_EQ(Show(0, 1.0), "1. * hid");
}

TEST_F(TermDisplay, ColumnBeyondTheTableShowsTheWholeId)
{
    EXPECT_EQ(Show(10004, 1.0), "1. * 10004");
    EXPECT_EQ(Show(19999, 1.0), "1. * 19999");
    EXPECT_EQ(Show(4, 1.0), "1. * 4");
    EXPECT_EQ(Show(20002, 1.0), "1. * 20002");
}

TEST_F(TermDisplay, SourcesWithoutANameListShowTheId)
{
    EXPECT_EQ(Show(40001, 1.0), "1. * 40001");  // the person's activity zone
    EXPECT_EQ(Show(50000, 1.0), "1. * 50000");
    EXPECT_EQ(Show(60012, 1.0), "1. * 60012");
    EXPECT_EQ(Show(-5, 1.0), "1. * -5");
    EXPECT_EQ(Show(-10005, 1.0), "1. * -10005");
}

TEST_F(TermDisplay, MissingListFallsBackToTheId)
{
    STermNameLists noColumns;
    noColumns.computedVariables = &m_registry.GetVariableNames();
    EXPECT_EQ(CComputedVariableRegistry::FormatTerm(10001, 1.0, noColumns), "1. * 10001");
    EXPECT_EQ(CComputedVariableRegistry::FormatTerm(30012, 1.0, noColumns), "1. * 30012 worker");
    EXPECT_EQ(CComputedVariableRegistry::DescribeVariable(30012, STermNameLists{}), "30012");
}
