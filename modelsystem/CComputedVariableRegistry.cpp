#include "modelsystem/CComputedVariableRegistry.h"

#include "modelsystem/ComputedVariableTexts.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace {

std::string DecimalText(long long value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Drops the trailing zeros of a run of digits after the decimal point (the
// point itself is written by the caller and always stays).
std::string_view TrimTrailingZeros(std::string_view digits)
{
    while (!digits.empty() && digits.back() == '0')
        digits.remove_suffix(1);
    return digits;
}

}  // namespace

void CComputedVariableRegistry::Build()
{
    m_tableNames = {"Households", "Persons", "Zones", "VehicleMake", "Other"};
    m_variableNames.assign(kEntryCount, std::string());
    for (const SComputedVariableText& row : ComputedVariableTexts())
        Store(row.id - kFirstComputedId, row.text);
}

void CComputedVariableRegistry::Store(int index, std::string_view text)
{
    if (index < 0 || index >= GetSize())
        throw std::invalid_argument("computed-variable registry: index " + DecimalText(index) +
                                    " outside the registry");
    m_variableNames[static_cast<std::size_t>(index)] = std::string(text);
}

const std::string& CComputedVariableRegistry::GetAt(int index) const
{
    if (index < 0 || index >= GetSize())
        throw std::invalid_argument("computed-variable registry: index " + DecimalText(index) +
                                    " outside the registry");
    return m_variableNames[static_cast<std::size_t>(index)];
}

const std::string* CComputedVariableRegistry::Find(int variableId) const
{
    if (variableId / 10000 != kComputedSource)
        return nullptr;
    const int index = variableId % 10000;
    if (index < 0 || index >= GetSize())
        return nullptr;
    return &m_variableNames[static_cast<std::size_t>(index)];
}

std::string CComputedVariableRegistry::FormatCoefficient(double coefficient)
{
    return FormatCoefficient(coefficient, 10);
}

std::string CComputedVariableRegistry::FormatCoefficient(double coefficient, int significantDigits)
{
    const int precision = significantDigits < 2 ? 2 : (significantDigits > 17 ? 17 : significantDigits);
    if (std::isnan(coefficient))
        return "nan";
    if (std::isinf(coefficient))
        return coefficient < 0.0 ? "-inf" : "inf";

    // The significant digits, rounded once: "[-]d.ddddddddde[+-]xx".
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, coefficient,
                                      std::chars_format::scientific, precision - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const bool negative = text.front() == '-';
    const std::string_view body = negative ? text.substr(1) : text;
    const std::size_t ePos = body.find('e');
    std::string digits;  // the significant digits
    digits.push_back(body[0]);
    digits.append(body.substr(2, ePos - 2));
    int exponent = 0;
    {
        std::string_view expText = body.substr(ePos + 1);
        if (expText.front() == '+')
            expText.remove_prefix(1);
        std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
    }

    std::string out;
    if (negative)
        out.push_back('-');
    if (exponent < -1 || exponent >= precision) {
        // Exponent form: one digit, the point, the remaining digits without
        // trailing zeros, then a signed exponent of at least three digits.
        out.push_back(digits[0]);
        out.push_back('.');
        out.append(TrimTrailingZeros(std::string_view(digits).substr(1)));
        out.push_back('e');
        out.push_back(exponent < 0 ? '-' : '+');
        std::string expDigits = DecimalText(std::abs(exponent));
        if (expDigits.size() < 3)
            expDigits.insert(0, 3 - expDigits.size(), '0');
        out.append(expDigits);
    } else if (exponent == -1) {
        out.append("0.");
        out.append(TrimTrailingZeros(digits));
    } else {
        const std::size_t wholeDigits = static_cast<std::size_t>(exponent) + 1;
        out.append(digits, 0, wholeDigits);
        out.push_back('.');
        out.append(TrimTrailingZeros(std::string_view(digits).substr(wholeDigits)));
    }
    return out;
}

std::string CComputedVariableRegistry::DescribeVariable(int variableId, const STermNameLists& lists)
{
    const int source = variableId / 10000;
    const int index = variableId - source * 10000;
    const std::vector<std::string>* names = nullptr;
    switch (source) {
    case 0: names = lists.householdColumns; break;
    case 1: names = lists.personColumns; break;
    case 2: names = lists.zoneColumns; break;
    case kComputedSource: names = lists.computedVariables; break;
    default: break;
    }
    if (names != nullptr && index >= 0 && static_cast<std::size_t>(index) < names->size())
        return (*names)[static_cast<std::size_t>(index)];
    return DecimalText(variableId);
}

std::string CComputedVariableRegistry::FormatTerm(int variableId, double coefficient,
                                                  const STermNameLists& lists)
{
    return FormatCoefficient(coefficient) + " * " + DescribeVariable(variableId, lists);
}
