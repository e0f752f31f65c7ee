#include "tools/SampleRegionGenerator.h"

#include "platform/CDatabase.h"
#include "platform/NumberText.h"
#include "tools/RegionRandom.h"
#include "tools/SampleRegionSchema.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <stdexcept>

namespace S = SampleRegionSchema;

namespace {

// Random streams, one per part of the region.
enum Stream : std::uint64_t { ZoneStream = 1, VehicleStream = 2, HouseholdStream = 3 };

constexpr int kRowsPerStatement = 500;        // VALUES rows per statement
constexpr int kRowsPerArrayStatement = 5000;  // rows per array statement (PostgreSQL)

// Rounds to the given number of decimals. Values are kept short so that their
// shortest text is short, and every step is exact IEEE arithmetic.
double Round(double x, int decimals) {
    double scale = 1.0;
    for (int i = 0; i < decimals; ++i) scale *= 10.0;
    return std::floor(x * scale + 0.5) / scale;
}

std::string Text(std::string_view view) { return std::string(view); }

std::string Lower(std::string_view view) {
    std::string text(view);
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Collects rows of one table and sends them in multi-row INSERT statements.
// SQLite gets a VALUES list. PostgreSQL gets one float8 array literal per
// column, unnested into rows: the server parses an array literal several
// times faster than the same numbers as separate constants of a VALUES list.
class BulkInsert {
public:
    BulkInsert(CDatabase& db, std::string_view table)
        : m_db(db), m_table(table), m_arrays(db.IsPostgreSQL()) {}

    void Add(const double* values, int count) {
        if (m_arrays) {
            if (m_columns.size() != static_cast<std::size_t>(count)) m_columns.assign(count, std::string());
            for (int c = 0; c < count; ++c) {
                if (m_pending) m_columns[c] += ',';
                m_columns[c] += NumberText::Shortest(values[c]);
            }
        } else {
            BeginRow();
            for (int c = 0; c < count; ++c) {
                if (c) m_sql += ',';
                m_sql += NumberText::Shortest(values[c]);
            }
            m_sql += ')';
        }
        EndRow();
    }
    // A losdir row: end time and table name (names are plain identifiers).
    void AddLosDir(int endTime, std::string_view table) {
        Flush();
        m_sql = "INSERT INTO " + m_table + " VALUES (" + NumberText::Integer(endTime) + ",'" + Text(table) + "')";
        m_pending = 1;
        ++m_total;
        Send();
    }
    void Flush() {
        if (m_pending == 0) return;
        if (m_arrays) {
            m_sql = "INSERT INTO " + m_table + " SELECT * FROM unnest(";
            for (std::size_t c = 0; c < m_columns.size(); ++c) {
                if (c) m_sql += ',';
                m_sql += "'{";
                m_sql += m_columns[c];
                m_sql += "}'::float8[]";
                m_columns[c].clear();
            }
            m_sql += ')';
        }
        Send();
    }
    long long Total() const { return m_total; }

private:
    void BeginRow() {
        if (m_pending == 0) {
            m_sql.reserve(1 << 16);
            m_sql = "INSERT INTO " + m_table + " VALUES ";
        } else {
            m_sql += ',';
        }
        m_sql += '(';
    }
    void EndRow() {
        ++m_total;
        if (++m_pending == (m_arrays ? kRowsPerArrayStatement : kRowsPerStatement)) Flush();
    }
    void Send() {
        m_db.ExecuteSQL(m_sql);
        m_sql.clear();
        m_pending = 0;
    }

    CDatabase& m_db;
    std::string m_table;
    bool m_arrays;
    std::vector<std::string> m_columns;  // PostgreSQL: the pending values of each column
    std::string m_sql;
    int m_pending = 0;
    long long m_total = 0;
};

// Runs fill() inside one transaction; rolls back and rethrows on failure.
template <class Fill>
void InTransaction(CDatabase& db, Fill fill) {
    db.BeginTrans();
    try {
        fill();
        db.CommitTrans();
    } catch (...) {
        db.Rollback();
        throw;
    }
}

template <std::size_t N>
void CreateTable(CDatabase& db, std::string_view table, const std::array<std::string_view, N>& columns) {
    std::string sql = "CREATE TABLE " + Text(table) + " (";
    for (std::size_t c = 0; c < N; ++c) {
        if (c) sql += ", ";
        sql += columns[c];
        sql += " DOUBLE PRECISION";
    }
    sql += ")";
    db.ExecuteSQL(sql);
}

// Picks an index with probability proportional to integer weights.
class WeightedPick {
public:
    explicit WeightedPick(const std::vector<std::uint64_t>& weights) {
        std::uint64_t sum = 0;
        for (auto w : weights) {
            sum += w;
            m_cumulative.push_back(sum);
        }
    }
    int Pick(RegionRandom& rng) const {
        if (m_cumulative.empty() || m_cumulative.back() == 0) return 0;
        std::uint64_t r = rng.Below(m_cumulative.back());
        return static_cast<int>(std::upper_bound(m_cumulative.begin(), m_cumulative.end(), r) - m_cumulative.begin());
    }

private:
    std::vector<std::uint64_t> m_cumulative;
};

// Zones laid out on a jittered square grid of one-mile cells, with one or two
// central business districts around which population and jobs concentrate.
class RegionGeography {
public:
    RegionGeography(int zoneCount, std::uint64_t seed);

    int Count() const { return m_count; }
    const std::array<double, S::Zn::Count>& Row(int index) const { return m_rows[index]; }
    int GridX(int index) const { return index % m_side; }
    int GridY(int index) const { return index / m_side; }
    int Side() const { return m_side; }
    int GridRows() const { return m_gridRows; }

    // Network distance (miles) between zones; within a zone, its own
    // intrazonal distance. Always positive.
    double Distance(int from, int to) const {
        if (from == to) return m_intrazonal[from];
        double dx = m_rows[from][S::Zn::X] - m_rows[to][S::Zn::X];
        double dy = m_rows[from][S::Zn::Y] - m_rows[to][S::Zn::Y];
        return std::max(0.1, Round(1.2 * std::sqrt(dx * dx + dy * dy), 2));
    }
    bool Adjacent(int from, int to) const {
        return from != to && std::abs(GridX(from) - GridX(to)) <= 1 && std::abs(GridY(from) - GridY(to)) <= 1;
    }
    // Uncongested auto time (minutes) over a distance, with terminal time.
    static double FreeFlowTime(double distance) {
        return Round(1.5 + distance * 60.0 / (18.0 + std::min(distance, 30.0)), 1);
    }
    static double AutoCost(double distance) { return Round(0.05 + 0.16 * distance, 2); }

    // One level-of-service row of a period.
    void LosRow(const S::Period& period, bool early, int from, int to, double* row) const;

private:
    int m_count;
    int m_side = 1;
    int m_gridRows = 1;
    std::vector<std::array<double, S::Zn::Count>> m_rows;
    std::vector<double> m_intrazonal;
};

RegionGeography::RegionGeography(int zoneCount, std::uint64_t seed) : m_count(zoneCount) {
    while (m_side * m_side < zoneCount) ++m_side;
    m_gridRows = (zoneCount + m_side - 1) / m_side;
    m_rows.assign(zoneCount, {});
    m_intrazonal.assign(zoneCount, 0.0);
    RegionRandom rng(seed, ZoneStream);

    const int cbd1 = std::min(zoneCount - 1, (m_gridRows / 2) * m_side + m_side / 2);
    int cbd2 = zoneCount >= 9 ? std::min(zoneCount - 1, (m_gridRows / 4) * m_side + m_side / 4) : -1;
    if (cbd2 == cbd1) cbd2 = -1;

    for (int k = 0; k < zoneCount; ++k) {
        auto& z = m_rows[k];
        z[S::Zn::Id] = k + 1;
        z[S::Zn::X] = Round(GridX(k) + (rng.Uniform() - 0.5) * 0.6, 2);
        z[S::Zn::Y] = Round(GridY(k) + (rng.Uniform() - 0.5) * 0.6, 2);
    }
    auto distanceTo = [&](int k, int centre) {
        double dx = m_rows[k][S::Zn::X] - m_rows[centre][S::Zn::X];
        double dy = m_rows[k][S::Zn::Y] - m_rows[centre][S::Zn::Y];
        return std::sqrt(dx * dx + dy * dy);
    };

    // Base quantities summed over the zones within 10 minutes (columns 29-44).
    constexpr int kWithin = S::Zn::Count - S::Zn::FirstWithin10;
    std::vector<std::array<double, kWithin>> base(zoneCount);
    for (int k = 0; k < zoneCount; ++k) {
        auto& z = m_rows[k];
        double urban = 1.0 / (1.0 + distanceTo(k, cbd1) / 4.0);
        if (cbd2 >= 0) urban += 0.6 / (1.0 + distanceTo(k, cbd2) / 3.0);
        const bool cbd = k == cbd1 || k == cbd2;
        z[S::Zn::CbdCity1] = k == cbd1 ? 1.0 : 0.0;
        z[S::Zn::CbdCity2] = k == cbd2 ? 1.0 : 0.0;
        z[S::Zn::Area] = Round(0.6 + 0.8 * rng.Uniform(), 2);
        m_intrazonal[k] = Round(0.3 + 0.3 * z[S::Zn::Area], 2);
        z[S::Zn::Population] = Round(300.0 + 4000.0 * urban * (0.7 + 0.6 * rng.Uniform()), 0);
        z[S::Zn::Households] = Round(z[S::Zn::Population] / (2.2 + 0.6 * rng.Uniform()), 0);
        z[S::Zn::BasicEmp] = Round(10.0 + 800.0 * urban * (0.5 + rng.Uniform()), 0);
        z[S::Zn::RetailEmp] = Round(20.0 + 1500.0 * urban * urban * (0.5 + rng.Uniform()), 0);
        z[S::Zn::ServiceEmp] = Round(30.0 + 2500.0 * urban * urban * (0.5 + rng.Uniform()), 0);
        z[S::Zn::EducationEmp] = Round(5.0 + 300.0 * urban * (0.5 + rng.Uniform()), 0);
        z[S::Zn::OtherEmp] = Round(5.0 + 400.0 * urban * (0.5 + rng.Uniform()), 0);
        z[S::Zn::TotalEmp] = z[S::Zn::BasicEmp] + z[S::Zn::RetailEmp] + z[S::Zn::ServiceEmp] +
                             z[S::Zn::EducationEmp] + z[S::Zn::OtherEmp];
        z[S::Zn::MedianIncome] = Round(25000.0 + 60000.0 * rng.Uniform(), 0);
        z[S::Zn::SchoolEnrol] = Round(100.0 + 600.0 * rng.Uniform(), 0);
        const bool college = cbd || rng.Chance(0.1);
        z[S::Zn::CollegeEnrol] = college ? Round(1000.0 + 9000.0 * rng.Uniform(), 0) : 0.0;
        const bool transit = cbd || rng.Chance(0.35 + 0.5 * std::min(urban, 1.0));
        z[S::Zn::TransitService] = transit ? 1.0 : 0.0;
        z[S::Zn::ParkingCost] = cbd ? Round(8.0 + 4.0 * rng.Uniform(), 2)
                                    : (urban > 0.6 ? Round(2.0 * rng.Uniform(), 2) : 0.0);
        z[S::Zn::Density] = Round(z[S::Zn::Population] / z[S::Zn::Area], 1);
        z[S::Zn::Intersections] = Round(20.0 + 100.0 * urban * rng.Uniform(), 0);
        z[S::Zn::LandMix] = Round(rng.Uniform(), 2);
        z[S::Zn::ParkArea] = Round(0.2 * rng.Uniform(), 2);
        const double stops = transit ? Round(2.0 + 10.0 * urban, 0) : 0.0;

        const double basic = z[S::Zn::BasicEmp], retail = z[S::Zn::RetailEmp], service = z[S::Zn::ServiceEmp];
        base[k] = {Round(basic * 0.05, 0),   z[S::Zn::TotalEmp],     basic,
                   Round(basic * 0.3, 0),    retail,                 Round(basic * 0.2, 0),
                   Round(service * 0.15, 0), Round(service * 0.2, 0), Round(service * 0.4, 0),
                   z[S::Zn::EducationEmp],   Round(z[S::Zn::OtherEmp] * 0.5, 0), Round(service * 0.1, 0),
                   Round(retail * 0.3, 0),   z[S::Zn::Population],   z[S::Zn::Households],
                   stops};
    }

    // Accessibilities and the nearest major shopping zone (a business district).
    for (int k = 0; k < zoneCount; ++k) {
        auto& z = m_rows[k];
        double retailService = 0.0, population = 0.0;
        std::array<double, kWithin> within{};
        for (int j = 0; j < zoneCount; ++j) {
            const double d = Distance(k, j);
            retailService += (m_rows[j][S::Zn::RetailEmp] + m_rows[j][S::Zn::ServiceEmp]) / (1.0 + d);
            population += m_rows[j][S::Zn::Population] / (1.0 + d);
            if (Round(FreeFlowTime(d) * 1.1, 1) <= 10.0)
                for (int q = 0; q < kWithin; ++q) within[q] += base[j][q];
        }
        z[S::Zn::AccRetailService] = Round(retailService, 1);
        z[S::Zn::PopAccess] = Round(population, 1);
        for (int q = 0; q < kWithin; ++q) z[S::Zn::FirstWithin10 + q] = within[q];

        int shop = cbd1;
        if (cbd2 >= 0 && Distance(k, cbd2) < Distance(k, cbd1)) shop = cbd2;
        const double d = Distance(k, shop);
        z[S::Zn::DistShop] = d;
        z[S::Zn::TimeShop] = Round(FreeFlowTime(d) * 1.1, 1);
        z[S::Zn::CostShop] = AutoCost(d);
        z[S::Zn::RetailAccessShop] = Round(m_rows[shop][S::Zn::RetailEmp] / (1.0 + d), 1);
    }
}

void RegionGeography::LosRow(const S::Period& period, bool early, int from, int to, double* row) const {
    const double d = Distance(from, to);
    const double freeFlow = FreeFlowTime(d);
    const bool served = m_rows[from][S::Zn::TransitService] == 1.0 && m_rows[to][S::Zn::TransitService] == 1.0;
    const bool transit = served && (!early || d <= 15.0);
    row[S::Los::Orig] = from + 1;
    row[S::Los::Dest] = to + 1;
    row[S::Los::Intrazonal] = from == to ? 1.0 : 0.0;
    row[S::Los::Adjacent] = Adjacent(from, to) ? 1.0 : 0.0;
    row[S::Los::Distance] = d;
    row[S::Los::AutoTime] = Round(freeFlow * period.congestion, 1);
    row[S::Los::AutoTimeFreeFlow] = freeFlow;
    row[S::Los::TransitAvailable] = transit ? 1.0 : 0.0;
    row[S::Los::TransitTime] = Round(3.0 + d * 60.0 / 14.0, 1);
    row[S::Los::TransitWait] = (period.peak ? 5.0 : (early ? 15.0 : 10.0)) + (transit ? 0.0 : 20.0);
    row[S::Los::TransitFare] = Round(1.5 + 0.05 * d, 2);
    row[S::Los::AutoCost] = AutoCost(d);
    row[S::Los::ParkingCost] = m_rows[to][S::Zn::ParkingCost];
    row[S::Los::Toll] = period.peak && d > 8.0 ? 1.25 : 0.0;
}

using PersonRow = std::array<double, S::Pn::Count>;
using HouseholdRow = std::array<double, S::Hh::Count>;

// Builds households with members whose composition matches the household type.
class HouseholdBuilder {
public:
    HouseholdBuilder(const RegionGeography& geo, std::uint64_t seed)
        : m_geo(geo), m_rng(seed, HouseholdStream), m_homes(Weights(geo, S::Zn::Households)),
          m_jobs(Weights(geo, S::Zn::TotalEmp)), m_colleges(Weights(geo, S::Zn::CollegeEnrol, 1)) {}

    void Build(int hid, HouseholdRow& household, std::vector<PersonRow>& persons);

private:
    static std::vector<std::uint64_t> Weights(const RegionGeography& geo, int column, std::uint64_t plus = 0) {
        std::vector<std::uint64_t> weights;
        for (int k = 0; k < geo.Count(); ++k) weights.push_back(static_cast<std::uint64_t>(geo.Row(k)[column]) + plus);
        return weights;
    }
    int AdultAge() { return m_rng.Chance(0.2) ? m_rng.Between(65, 90) : m_rng.Between(18, 64); }
    PersonRow Adult(int age, bool female, bool parent);
    PersonRow Child(int age);
    int NearZone(int home);
    // Children of a mix: 0 preschool only (under 5), 1 school age only (5-15), 2 both.
    void AddChildren(std::vector<PersonRow>& persons, int mix, int count);

    const RegionGeography& m_geo;
    RegionRandom m_rng;
    WeightedPick m_homes, m_jobs, m_colleges;
    int m_home = 1;  // zone id of the household being built
    double m_white = 1.0, m_english = 1.0;
};

PersonRow HouseholdBuilder::Adult(int age, bool female, bool parent) {
    PersonRow p{};
    const bool employed = age < 65 ? m_rng.Chance(0.72) : m_rng.Chance(0.12);
    const bool student = !employed && age < 30 && m_rng.Chance(0.45);
    p[S::Pn::Employed] = employed;
    p[S::Pn::Student] = student;
    p[S::Pn::License] = age < 80 ? m_rng.Chance(0.92) : m_rng.Chance(0.6);
    p[S::Pn::WorkZone] = employed ? m_jobs.Pick(m_rng) + 1 : m_home;
    p[S::Pn::CollegeZone] = student ? m_colleges.Pick(m_rng) + 1 : 0;
    p[S::Pn::Female] = female;
    p[S::Pn::Age] = age;
    p[S::Pn::Parent] = parent;
    p[S::Pn::Mother] = parent && female;
    p[S::Pn::Father] = parent && !female;
    p[S::Pn::UsBorn] = m_rng.Chance(0.85);
    p[S::Pn::White] = m_rng.Chance(0.9) ? m_white : 1.0 - m_white;
    p[S::Pn::EnglishAtHome] = m_rng.Chance(0.9) ? m_english : 1.0 - m_english;
    p[S::Pn::Disabled] = m_rng.Chance(age >= 65 ? 0.15 : 0.04);
    p[S::Pn::HighFlexibility] = employed && m_rng.Chance(0.3);
    p[S::Pn::WorksAtHome] = employed && m_rng.Chance(0.1);
    const int education = m_rng.Between(1, 5);
    p[S::Pn::Education] = education;
    p[S::Pn::TransitPass] = m_rng.Chance(0.1);
    p[S::Pn::Over40Hours] = employed && m_rng.Chance(0.35);
    p[S::Pn::SomeCollege] = education == 3;
    p[S::Pn::Bachelor] = education == 4;
    p[S::Pn::Postgraduate] = education == 5;
    return p;
}

PersonRow HouseholdBuilder::Child(int age) {
    PersonRow p{};
    const bool student = age >= 5 && m_rng.Chance(0.97);
    p[S::Pn::Student] = student;
    p[S::Pn::WorkZone] = m_home;
    p[S::Pn::SchoolZone] = student ? NearZone(m_home) : 0;
    p[S::Pn::Female] = m_rng.Chance(0.5);
    p[S::Pn::Age] = age;
    p[S::Pn::UsBorn] = m_rng.Chance(0.95);
    p[S::Pn::White] = m_white;
    p[S::Pn::EnglishAtHome] = m_english;
    p[S::Pn::Disabled] = m_rng.Chance(0.03);
    return p;
}

int HouseholdBuilder::NearZone(int home) {
    const int count = m_geo.Count();
    if (m_rng.Chance(0.1)) return static_cast<int>(m_rng.Below(count)) + 1;
    const int index = home - 1;
    for (int attempt = 0; attempt < 10; ++attempt) {
        int x = m_geo.GridX(index) + m_rng.Between(-2, 2);
        int y = m_geo.GridY(index) + m_rng.Between(-2, 2);
        if (x < 0 || y < 0 || x >= m_geo.Side() || y >= m_geo.GridRows()) continue;
        int candidate = y * m_geo.Side() + x;
        if (candidate < count) return candidate + 1;
    }
    return home;
}

void HouseholdBuilder::AddChildren(std::vector<PersonRow>& persons, int mix, int count) {
    if (mix == 2 && count < 2) count = 2;
    for (int i = 0; i < count; ++i) {
        bool preschool = mix == 0 || (mix == 2 && i == 0) || (mix == 2 && i > 1 && m_rng.Chance(0.5));
        persons.push_back(Child(preschool ? m_rng.Between(0, 4) : m_rng.Between(5, 15)));
    }
}

void HouseholdBuilder::Build(int hid, HouseholdRow& household, std::vector<PersonRow>& persons) {
    persons.clear();
    m_home = m_homes.Pick(m_rng) + 1;
    m_white = m_rng.Chance(0.7) ? 1.0 : 0.0;
    m_english = m_rng.Chance(0.85) ? 1.0 : 0.0;

    int type = 0;
    const auto kind = m_rng.Below(100);
    if (kind < 22) {  // one adult
        int age = AdultAge();
        persons.push_back(Adult(age, m_rng.Chance(0.5), false));
        type = age >= 65 ? 5 : 1;
    } else if (kind < 46) {  // couple without children
        int a = AdultAge();
        int b = std::clamp(a + m_rng.Between(-5, 5), 18, 95);
        persons.push_back(Adult(a, false, false));
        persons.push_back(Adult(b, true, false));
        type = std::max(a, b) >= 65 ? 16 : 9;
    } else if (kind < 54) {  // other adults without children
        int variant = static_cast<int>(m_rng.Below(3));
        if (variant == 0) {  // two adults of one sex sharing a home
            bool female = m_rng.Chance(0.5);
            persons.push_back(Adult(m_rng.Between(18, 64), female, false));
            persons.push_back(Adult(m_rng.Between(18, 64), female, false));
            type = 14;
        } else if (variant == 1) {  // three or four adults
            int count = m_rng.Between(3, 4);
            for (int i = 0; i < count; ++i) persons.push_back(Adult(m_rng.Between(18, 64), m_rng.Chance(0.5), false));
            type = 20;
        } else {  // elderly adults living together
            int count = m_rng.Between(2, 3);
            bool female = m_rng.Chance(0.6);
            for (int i = 0; i < count; ++i)
                persons.push_back(Adult(m_rng.Between(65, 90), count == 2 ? female : m_rng.Chance(0.5), false));
            type = 22;
        }
    } else if (kind < 62) {  // single parent with children
        bool female = m_rng.Chance(0.8);
        persons.push_back(Adult(m_rng.Between(22, 50), female, true));
        int mix = static_cast<int>(m_rng.Below(3));
        AddChildren(persons, mix, m_rng.Between(1, 3));
        type = (female ? 2 : 6) + mix;
    } else if (kind < 92) {  // couple with children
        int father = m_rng.Between(24, 55);
        int mother = std::clamp(father + m_rng.Between(-4, 4), 20, 55);
        persons.push_back(Adult(father, false, true));
        persons.push_back(Adult(mother, true, true));
        bool grandparent = m_rng.Chance(0.15);
        if (grandparent) persons.push_back(Adult(m_rng.Between(60, 85), m_rng.Chance(0.6), false));
        int mix = static_cast<int>(m_rng.Below(3));
        AddChildren(persons, mix, m_rng.Between(1, 4));
        bool bothWork = persons[0][S::Pn::Employed] == 1.0 && persons[1][S::Pn::Employed] == 1.0;
        type = grandparent ? 13 : (bothWork ? 10 : 17) + mix;
    } else {  // children living with adults who are not their parents
        int adults = m_rng.Between(2, 3);
        for (int i = 0; i < adults; ++i) persons.push_back(Adult(m_rng.Between(30, 80), m_rng.Chance(0.5), false));
        int mix = static_cast<int>(m_rng.Below(3));
        AddChildren(persons, mix, m_rng.Between(1, 3));
        type = mix == 0 ? 15 : (mix == 1 ? 21 : 23);
    }

    int adults = 0, children = 0, workers = 0, students = 0, licensed = 0;
    for (const auto& p : persons) {
        if (p[S::Pn::Age] >= 16.0) {
            ++adults;
            licensed += p[S::Pn::License] == 1.0;
        } else {
            ++children;
        }
        workers += p[S::Pn::Employed] == 1.0;
        students += p[S::Pn::Student] == 1.0;
    }
    const double income = Round(12.0 + 38.0 * workers + 70.0 * m_rng.Uniform() + 10.0 * (adults - 1), 1);
    int vehicles = licensed;
    if (income > 90.0 && m_rng.Chance(0.4)) ++vehicles;
    if (m_rng.Chance(0.2)) --vehicles;
    vehicles = std::clamp(vehicles, 0, 4);

    for (std::size_t i = 0; i < persons.size(); ++i) {
        auto& p = persons[i];
        p[S::Pn::HouseholdId] = hid;
        p[S::Pn::Number] = static_cast<double>(i + 1);
        // Rounded like every other value: the SQLite driver reads numbers back
        // through text of 15 significant digits.
        p[S::Pn::VehiclesPerAdult] = p[S::Pn::Age] >= 16.0 ? Round(static_cast<double>(vehicles) / adults, 2) : 0.0;
    }
    household.fill(0.0);
    household[S::Hh::Id] = hid;
    household[S::Hh::Adults] = adults;
    household[S::Hh::Vehicles] = vehicles;
    household[S::Hh::Zone] = m_home;
    household[S::Hh::Workers] = workers;
    household[S::Hh::Type] = type;
    household[S::Hh::Children] = children;
    household[S::Hh::Income] = income;
    household[S::Hh::Students] = students;
    household[S::Hh::Persons] = static_cast<double>(persons.size());
}

// Vehicle makes: for every type 1-9 and group (age) 1-6, two to five makes.
void WriteVehicleMakes(BulkInsert& insert, std::uint64_t seed) {
    RegionRandom rng(seed, VehicleStream);
    std::array<double, S::Vm::Count> row{};
    for (int type = 1; type <= S::kVehicleTypes; ++type) {
        for (int age = 1; age <= S::kVehicleGroups; ++age) {
            const int makes = rng.Between(2, 5);
            for (int make = 1; make <= makes; ++make) {
                row.fill(0.0);
                row[S::Vm::MakeType] = make;
                row[S::Vm::Type] = type;
                row[S::Vm::Age] = age;
                row[S::Vm::Seats] = rng.Between(2, 8);
                row[S::Vm::Doors] = rng.Between(2, 5);
                row[S::Vm::Mpg] = Round(15.0 + 35.0 * rng.Uniform(), 1);
                row[S::Vm::Weight] = Round(2000.0 + 4000.0 * rng.Uniform(), 0);
                row[S::Vm::Length] = Round(14.0 + 6.0 * rng.Uniform(), 1);
                row[S::Vm::Width] = Round(5.5 + 1.5 * rng.Uniform(), 1);
                row[S::Vm::Height] = Round(4.5 + 2.5 * rng.Uniform(), 1);
                row[S::Vm::Cylinders] = 2 * rng.Between(2, 4);
                row[S::Vm::FuelTank] = Round(10.0 + 20.0 * rng.Uniform(), 1);
                row[S::Vm::EngineSize] = Round(1.0 + 5.0 * rng.Uniform(), 1);
                row[S::Vm::Horsepower] = Round(90.0 + 310.0 * rng.Uniform(), 0);
                row[S::Vm::Price] = Round(12.0 + 68.0 * rng.Uniform() - 1.5 * (age - 1), 1);
                row[S::Vm::Luggage] = Round(8.0 + 30.0 * rng.Uniform(), 1);
                row[S::Vm::MarketShare] = Round(0.001 + 0.05 * rng.Uniform(), 3);
                for (int c = S::Vm::FirstDummy; c < S::Vm::Count; ++c) row[c] = rng.Chance(0.3) ? 1.0 : 0.0;
                insert.Add(row.data(), S::Vm::Count);
            }
        }
    }
    insert.Flush();
}

}  // namespace

long long SampleRegionGenerator::Summary::Rows(const std::string& table) const {
    for (const auto& t : tables)
        if (t.table == table) return t.rows;
    return -1;
}

SampleRegionGenerator::SampleRegionGenerator(const Options& options) : m_options(options) {
    if (options.zones < 1 || options.zones > kMaxZones)
        throw std::invalid_argument("The number of zones must be between 1 and " + NumberText::Integer(kMaxZones) +
                                    ", not " + NumberText::Integer(options.zones) + ".");
    if (options.households < 0 || options.households > kMaxHouseholds)
        throw std::invalid_argument("The number of households must be between 0 and " +
                                    NumberText::Integer(kMaxHouseholds) + ", not " +
                                    NumberText::Integer(options.households) + ".");
}

SampleRegionGenerator::Summary SampleRegionGenerator::Write(CDatabase& db) const {
    if (!db.IsOpen()) throw std::invalid_argument("The database connection is not open.");
    const int zoneCount = m_options.zones;
    const RegionGeography geo(zoneCount, m_options.seed);
    Summary summary;

    if (db.IsSQLite()) db.ExecuteSQL("PRAGMA synchronous = OFF");

    // Drop, then create every table.
    std::vector<std::string_view> names{S::kHouseholds, S::kPersons,  S::kZones,
                                        S::kZone2Zone,  S::kLosDir,   S::kVehicleMake};
    for (const auto& period : S::kPeriods) names.push_back(period.table);
    for (auto name : names) {
        db.ExecuteSQL("DROP TABLE IF EXISTS " + Text(name));
        // PostgreSQL folds unquoted names to lower case; a table created with
        // a quoted mixed-case name ("VehicleMake") is dropped as well.
        if (db.IsPostgreSQL() && Text(name) != Lower(name)) db.ExecuteSQL("DROP TABLE IF EXISTS \"" + Text(name) + "\"");
    }

    db.ExecuteSQL("CREATE TABLE " + Text(S::kLosDir) + " (" + Text(S::kLosDirColumns[0]) + " DOUBLE PRECISION, " +
                  Text(S::kLosDirColumns[1]) + " VARCHAR(63))");
    CreateTable(db, S::kZones, S::kZoneColumns);
    CreateTable(db, S::kZone2Zone, S::kZone2ZoneColumns);
    for (const auto& period : S::kPeriods) CreateTable(db, period.table, S::kLosColumns);
    CreateTable(db, S::kVehicleMake, S::kVehicleMakeColumns);
    CreateTable(db, S::kHouseholds, S::kHouseholdColumns);
    CreateTable(db, S::kPersons, S::kPersonColumns);

    auto record = [&](std::string_view table, long long rows) { summary.tables.push_back({Text(table), rows}); };

    {
        BulkInsert insert(db, S::kLosDir);
        InTransaction(db, [&] {
            for (const auto& period : S::kPeriods) insert.AddLosDir(period.endTime, period.table);
            insert.Flush();
        });
        record(S::kLosDir, insert.Total());
    }
    {
        BulkInsert insert(db, S::kZones);
        InTransaction(db, [&] {
            for (int k = 0; k < zoneCount; ++k) insert.Add(geo.Row(k).data(), S::Zn::Count);
            insert.Flush();
        });
        record(S::kZones, insert.Total());
    }
    {
        BulkInsert insert(db, S::kZone2Zone);
        InTransaction(db, [&] {
            std::array<double, S::Zz::Count> row{};
            for (int i = 0; i < zoneCount; ++i) {
                for (int j = 0; j < zoneCount; ++j) {
                    row[S::Zz::Orig] = i + 1;
                    row[S::Zz::Dest] = j + 1;
                    row[S::Zz::Adjacent] = geo.Adjacent(i, j) ? 1.0 : 0.0;
                    row[S::Zz::Distance] = geo.Distance(i, j);
                    insert.Add(row.data(), S::Zz::Count);
                }
            }
            insert.Flush();
        });
        record(S::kZone2Zone, insert.Total());
    }
    for (std::size_t p = 0; p < S::kPeriods.size(); ++p) {
        const auto& period = S::kPeriods[p];
        BulkInsert insert(db, period.table);
        InTransaction(db, [&] {
            std::array<double, S::Los::Count> row{};
            for (int i = 0; i < zoneCount; ++i) {
                for (int j = 0; j < zoneCount; ++j) {
                    geo.LosRow(period, p == 0, i, j, row.data());
                    insert.Add(row.data(), S::Los::Count);
                }
            }
            insert.Flush();
        });
        record(period.table, insert.Total());
    }
    {
        BulkInsert insert(db, S::kVehicleMake);
        InTransaction(db, [&] { WriteVehicleMakes(insert, m_options.seed); });
        record(S::kVehicleMake, insert.Total());
    }
    {
        BulkInsert households(db, S::kHouseholds);
        BulkInsert persons(db, S::kPersons);
        InTransaction(db, [&] {
            HouseholdBuilder builder(geo, m_options.seed);
            HouseholdRow household{};
            std::vector<PersonRow> members;
            for (int hid = 1; hid <= m_options.households; ++hid) {
                builder.Build(hid, household, members);
                households.Add(household.data(), S::Hh::Count);
                for (const auto& person : members) persons.Add(person.data(), S::Pn::Count);
            }
            households.Flush();
            persons.Flush();
        });
        record(S::kHouseholds, households.Total());
        record(S::kPersons, persons.Total());
    }

    // Indexes for the simulator's lookups: level-of-service and zone-to-zone
    // rows by zone pair, the household-id page by zone and id, a household's row
    // by its id, members by household.
    auto index = [&](std::string_view table, const std::string& suffix, const std::string& columns) {
        db.ExecuteSQL("CREATE INDEX " + Text(table) + "_" + suffix + " ON " + Text(table) + " (" + columns + ")");
    };
    const std::string pair = Text(S::kLosColumns[S::Los::Orig]) + ", " + Text(S::kLosColumns[S::Los::Dest]);
    for (const auto& period : S::kPeriods) index(period.table, "od", pair);
    index(S::kZone2Zone, "od", pair);
    index(S::kHouseholds, "zone_hid",
          Text(S::kHouseholdColumns[S::Hh::Zone]) + ", " + Text(S::kHouseholdColumns[S::Hh::Id]));
    index(S::kHouseholds, "hid", Text(S::kHouseholdColumns[S::Hh::Id]));
    index(S::kPersons, "hid", Text(S::kPersonColumns[S::Pn::HouseholdId]));
    if (db.IsPostgreSQL()) db.ExecuteSQL("ANALYZE");
    return summary;
}
