#include "models/CWorkTimeOfDayVariables.h"

#include "data/CPersonObject.h"
#include "data/InputColumns.h"
#include "models/CVariableSet.h"
#include "models/CWorkTimeWindows.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

// Angular factors of one, two and three cycles a day, as estimated (these
// decimals, not exact multiples of pi).
constexpr std::array<double, 3> kCycles = {6.2831853, 12.5663706, 18.8495559};

// Column truncated toward zero; a value that is not finite counts as 0.
double TruncatedColumn(const CPersonObject& person, int column) {
    const double value = person.GetValue(column);
    return std::isfinite(value) ? std::trunc(value) : 0.0;
}

// Term j (0 to 5) of a group of six: sin for one, two, three cycles, then cos.
double Harmonic(const CWorkTimeOfDayVariables::Fourier& terms, int j) {
    return j < 3 ? terms.sine[static_cast<std::size_t>(j)] : terms.cosine[static_cast<std::size_t>(j - 3)];
}

std::array<CWorkTimeOfDayVariables::Fourier, CWorkTimeWindows::kWindowCount> BuildWindowTerms() {
    std::array<CWorkTimeOfDayVariables::Fourier, CWorkTimeWindows::kWindowCount> terms{};
    for (int n = 0; n < CWorkTimeWindows::kWindowCount; ++n)
        terms[static_cast<std::size_t>(n)] =
            CWorkTimeOfDayVariables::FourierTerms(CWorkTimeWindows::Windows()[static_cast<std::size_t>(n)].midpoint);
    return terms;
}

}  // namespace

CWorkTimeOfDayVariables::Fourier CWorkTimeOfDayVariables::FourierTerms(double minutes) {
    Fourier terms;
    for (std::size_t k = 0; k < kCycles.size(); ++k) {
        const double angle = ((minutes / 60.0) * kCycles[k]) / 24.0;
        terms.sine[k] = std::sin(angle);
        terms.cosine[k] = std::cos(angle);
    }
    return terms;
}

const CWorkTimeOfDayVariables::Fourier& CWorkTimeOfDayVariables::WindowFourierTerms(int window) {
    static const std::array<Fourier, CWorkTimeWindows::kWindowCount> terms = BuildWindowTerms();
    return terms.at(static_cast<std::size_t>(window));
}

CWorkTimeOfDayVariables::PersonAttributes CWorkTimeOfDayVariables::ReadPerson(const CPersonObject& person) {
    PersonAttributes attributes;
    attributes.mother = TruncatedColumn(person, InputColumns::kMother);
    attributes.highFlexibility = TruncatedColumn(person, InputColumns::kHighWorkFlexibility);
    attributes.longHours = TruncatedColumn(person, InputColumns::kLongWorkHours);
    return attributes;
}

double CWorkTimeOfDayVariables::IntegerPower(double x, unsigned n) {
    double result = 1.0;
    for (;;) {
        if ((n & 1u) != 0) result *= x;
        n >>= 1;
        if (n == 0) return result;
        x *= x;
    }
}

namespace {

// What a variable index stands for, decoded once into a table so that the
// evaluation of 528 alternatives per draw does a single lookup per term.
enum class Kind : std::uint8_t {
    None,           // no definition
    Constant,       // arg: the value
    StartHarmonic,  // arg: 0-2 sin, 3-5 cos of one to three cycles of S
    EndHarmonic,    // the same of E
    Days,           // (D / 1440)^arg
    Thousands,      // (D / 1000)^arg
    EndTime,        // end-band time
    StartTime,      // start-band time
    StartCost,      // start-band cost
    EndCost,        // end-band cost
    LongerThan,     // 1 when D / 60 > arg
    StartPeriods,   // 15-minute half-periods from the start window's lower bound to S
    EndPeriods,     // the same for E
};

// Person attribute a value is multiplied by.
enum class Factor : std::uint8_t { None, Mother, Flexibility, LongHours };

struct Definition {
    Kind kind = Kind::None;
    std::uint8_t arg = 0;
    Factor factor = Factor::None;
};

constexpr int kLastIndex = 846;

std::array<Definition, kLastIndex + 1> BuildDefinitions() {
    std::array<Definition, kLastIndex + 1> table{};
    auto set = [&](int index, Kind kind, int arg = 0, Factor factor = Factor::None) {
        table[static_cast<std::size_t>(index)] = {kind, static_cast<std::uint8_t>(arg), factor};
    };
    auto harmonics = [&](int first, Kind kind, Factor factor) {
        for (int j = 0; j < 6; ++j) set(first + j, kind, j, factor);
    };
    set(0, Kind::Constant, 1);
    set(15, Kind::Days, 1);
    set(17, Kind::EndTime);
    set(18, Kind::StartTime);
    set(262, Kind::Constant, 4);
    set(263, Kind::Constant, 4);
    harmonics(264, Kind::StartHarmonic, Factor::None);
    harmonics(270, Kind::EndHarmonic, Factor::None);
    harmonics(276, Kind::StartHarmonic, Factor::Mother);
    harmonics(282, Kind::EndHarmonic, Factor::Mother);
    harmonics(288, Kind::StartHarmonic, Factor::Flexibility);
    harmonics(294, Kind::EndHarmonic, Factor::Flexibility);
    harmonics(300, Kind::StartHarmonic, Factor::LongHours);
    harmonics(306, Kind::EndHarmonic, Factor::LongHours);
    for (int n = 2; n <= 6; ++n) set(310 + n, Kind::Days, n);
    set(322, Kind::StartCost);
    set(323, Kind::LongerThan, 9);
    set(324, Kind::LongerThan, 10);
    set(325, Kind::LongerThan, 11);
    set(326, Kind::StartCost);
    set(336, Kind::EndTime, 0, Factor::Flexibility);
    set(337, Kind::EndCost, 0, Factor::Flexibility);
    set(338, Kind::StartCost, 0, Factor::Flexibility);
    harmonics(801, Kind::StartHarmonic, Factor::None);
    harmonics(807, Kind::EndHarmonic, Factor::None);
    for (int n = 1; n <= 6; ++n) set(812 + n, Kind::Thousands, n);
    set(819, Kind::StartPeriods);
    set(820, Kind::EndPeriods);
    harmonics(821, Kind::EndHarmonic, Factor::Mother);
    harmonics(827, Kind::StartHarmonic, Factor::Flexibility);
    harmonics(833, Kind::StartHarmonic, Factor::LongHours);
    set(839, Kind::StartTime);
    set(840, Kind::StartCost);
    set(841, Kind::EndTime);
    set(842, Kind::EndCost);
    set(843, Kind::StartTime, 0, Factor::Flexibility);
    set(844, Kind::StartCost, 0, Factor::Flexibility);
    set(845, Kind::EndTime, 0, Factor::Flexibility);
    set(846, Kind::EndCost, 0, Factor::Flexibility);
    return table;
}

const std::array<Definition, kLastIndex + 1>& Definitions() {
    static const std::array<Definition, kLastIndex + 1> table = BuildDefinitions();
    return table;
}

}  // namespace

bool CWorkTimeOfDayVariables::Evaluate(int index, const Alternative& a, const PersonAttributes& p, double& value) {
    if (index < 0 || index > kLastIndex) return false;
    const Definition& definition = Definitions()[static_cast<std::size_t>(index)];
    const double duration = a.end - a.start;
    double v = 0.0;
    switch (definition.kind) {
    case Kind::None: return false;
    case Kind::Constant: v = static_cast<double>(definition.arg); break;
    case Kind::StartHarmonic: v = Harmonic(a.startTerms, definition.arg); break;
    case Kind::EndHarmonic: v = Harmonic(a.endTerms, definition.arg); break;
    case Kind::Days: v = IntegerPower(duration / 1440.0, definition.arg); break;
    case Kind::Thousands: v = IntegerPower(duration / 1000.0, definition.arg); break;
    case Kind::EndTime: v = a.endBandTime; break;
    case Kind::StartTime: v = a.startBandTime; break;
    case Kind::StartCost: v = a.startBandCost; break;
    case Kind::EndCost: v = a.endBandCost; break;
    case Kind::LongerThan: v = duration / 60.0 > static_cast<double>(definition.arg) ? 1.0 : 0.0; break;
    case Kind::StartPeriods: v = std::trunc((a.start - a.startLowerBound) * 2.0 / 15.0); break;
    case Kind::EndPeriods: v = std::trunc((a.end - a.endLowerBound) * 2.0 / 15.0); break;
    }
    switch (definition.factor) {
    case Factor::None: break;
    case Factor::Mother: v = v * p.mother; break;
    case Factor::Flexibility: v = v * p.highFlexibility; break;
    case Factor::LongHours: v = v * p.longHours; break;
    }
    value = v;
    return true;
}

void CWorkTimeOfDayVariables::Fill(CVariableSet& terms, const Alternative& alternative,
                                   const PersonAttributes& person) {
    const std::size_t count = terms.m_variableIds.size();
    terms.m_values.resize(count, 0.0);
    for (std::size_t i = 0; i < count; ++i) {
        const int index = terms.m_variableIds[i] % CVariableSet::kSourceFactor;
        double value = 0.0;
        if (Evaluate(index, alternative, person, value)) terms.m_values[i] = value;
    }
}
