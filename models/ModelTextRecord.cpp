#include "models/ModelTextRecord.h"

#include "models/CVariableSet.h"
#include "models/ModelConfigXml.h"
#include "platform/NumberText.h"

#include <cmath>
#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace ModelTextRecord {

namespace {

// A number word longer than this is garbage, not a number.
constexpr std::size_t kMaxWordLength = 64;
// Significant digits enough for every double to read back exactly.
constexpr int kMostDigits = 17;

bool IsBlank(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// The next blank-separated word; false at the end of the stream or for a word
// that is too long to be a number.
bool ReadWord(std::istream& in, std::string& word, const char* what, std::string& error) {
    word.clear();
    int c = in.peek();
    while (c != std::char_traits<char>::eof() && IsBlank(c)) {
        in.get();
        c = in.peek();
    }
    while (c != std::char_traits<char>::eof() && !IsBlank(c)) {
        if (word.size() >= kMaxWordLength) {
            error = std::string("the ") + what + " is not a number: \"" + word + "...\"";
            return false;
        }
        word += static_cast<char>(in.get());
        c = in.peek();
    }
    if (word.empty()) {
        error = std::string("the record ends before its ") + what;
        return false;
    }
    return true;
}

}  // namespace

std::string Real(double value) {
    std::string text = NumberText::General(value, 6);
    if (!std::isfinite(value)) return text;
    double back = 0.0;
    for (int digits = 7; !(NumberText::Parse(text, back) && back == value) && digits <= kMostDigits; ++digits)
        text = NumberText::General(value, digits);
    return text;
}

std::string Float(float value) {
    const double wide = static_cast<double>(value);
    std::string text = NumberText::General(wide, 6);
    if (!std::isfinite(value)) return text;
    double back = 0.0;
    for (int digits = 7;
         !(NumberText::Parse(text, back) && static_cast<float>(back) == value) && digits <= kMostDigits; ++digits)
        text = NumberText::General(wide, digits);
    return text;
}

void WriteHeader(std::ostream& out, const char* typeText, const std::string& name) {
    out << typeText << '\n' << name << '\n';
}

void WriteTerms(std::ostream& out, const CVariableSet& terms) {
    out << NumberText::Integer(terms.m_nCount) << '\n';
    if (terms.m_nCount < 1) return;
    for (const int id : terms.m_variableIds) out << NumberText::Integer(id) << ' ';
    out << '\n';
    for (const double coefficient : terms.m_coefficients) out << Real(coefficient) << ' ';
    out << '\n';
}

bool ReadInt(std::istream& in, int& value, const char* what, std::string& error) {
    std::string word;
    if (!ReadWord(in, word, what, error)) return false;
    if (!ModelConfigXml::ParseInt(word, value)) {
        error = std::string("the ") + what + " is not a whole number: \"" + word + "\"";
        return false;
    }
    return true;
}

bool ReadReal(std::istream& in, double& value, const char* what, std::string& error) {
    std::string word;
    if (!ReadWord(in, word, what, error)) return false;
    if (!ModelConfigXml::ParseReal(word, value)) {
        error = std::string("the ") + what + " is not a number: \"" + word + "\"";
        return false;
    }
    return true;
}

bool ReadCount(std::istream& in, int& value, const char* what, std::string& error) {
    if (!ReadInt(in, value, what, error)) return false;
    if (value < 0 || value > kMaxCount) {
        error = std::string("the ") + what + " " + NumberText::Integer(value) + " is outside 0 to " +
                NumberText::Integer(kMaxCount);
        return false;
    }
    return true;
}

bool ReadTerms(std::istream& in, CVariableSet& terms, std::string& error) {
    terms.Clear();
    int count = 0;
    if (!ReadCount(in, count, "term count", error)) return false;
    std::vector<int> ids;
    for (int i = 0; i < count; ++i) {
        int id = 0;
        if (!ReadInt(in, id, "variable ID", error)) return false;
        ids.push_back(id);
    }
    for (int i = 0; i < count; ++i) {
        double coefficient = 0.0;
        if (!ReadReal(in, coefficient, "coefficient", error)) return false;
        terms.Add(ids[static_cast<std::size_t>(i)], coefficient);
    }
    return true;
}

bool ReadRestOfLine(std::istream& in, std::string& error) {
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        if (c == '\n') return true;
        if (!IsBlank(c)) {
            error = "the record's last line goes on after its numbers";
            return false;
        }
    }
    return true;
}

}  // namespace ModelTextRecord
