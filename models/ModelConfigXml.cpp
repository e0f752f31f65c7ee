#include "models/ModelConfigXml.h"

#include "models/CVariableSet.h"
#include "platform/NumberText.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <ostream>

namespace ModelConfigXml {

namespace {

// Decimals enough for every finite double to read back exactly.
constexpr int kMostDecimals = 400;

// All text inside an element, as the DOM's element text gives it.
void AppendText(const pugi::xml_node& node, std::string& text) {
    for (const pugi::xml_node& child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            text += child.value();
        else if (child.type() == pugi::node_element)
            AppendText(child, text);
    }
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::string Real(double value) {
    std::string text = NumberText::Fixed(value, 6);
    if (!std::isfinite(value)) return text;
    double back = 0.0;
    for (int decimals = 7; !(NumberText::Parse(text, back) && back == value) && decimals <= kMostDecimals;
         ++decimals)
        text = NumberText::Fixed(value, decimals);
    return text;
}

std::string Float(float value) {
    const double wide = static_cast<double>(value);
    std::string text = NumberText::Fixed(wide, 6);
    if (!std::isfinite(value)) return text;
    double back = 0.0;
    for (int decimals = 7;
         !(NumberText::Parse(text, back) && static_cast<float>(back) == value) && decimals <= kMostDecimals;
         ++decimals)
        text = NumberText::Fixed(wide, decimals);
    return text;
}

std::string Escape(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

void WriteStartTag(std::ostream& out, const std::string& name, const char* typeText) {
    out << "<ModelConfig id=\"" << Escape(name) << "\" optional-type=\"" << typeText << "\">\n\n";
}

void WriteEndTag(std::ostream& out) { out << "</ModelConfig>\n"; }

void WriteVariance(std::ostream& out, const std::string& valueText, const char* lineBreaks) {
    out << "<Variance>" << valueText << "</Variance>" << lineBreaks;
}

void WriteVariables(std::ostream& out, const CVariableSet& terms, const char* description,
                    const char* closingBreaks) {
    out << "<Variables>\n";
    if (terms.m_nCount > 0) {
        const std::size_t n = std::min(terms.m_variableIds.size(), terms.m_coefficients.size());
        for (std::size_t i = 0; i < n; ++i)
            out << "<Variable ID=\"" << NumberText::Integer(terms.m_variableIds[i]) << "\" value=\""
                << Real(terms.m_coefficients[i]) << "\" optional-description=\"" << description << "\" />\n";
    }
    out << "</Variables>" << closingBreaks;
}

void WriteThresholds(std::ostream& out, const std::vector<double>& values) {
    out << "<Thresholds>\n";
    for (const double value : values) out << "<Threshold value=\"" << Real(value) << "\" />\n";
    out << "</Thresholds>\n\n";
}

bool ParseReal(std::string_view text, double& value) {
    double parsed = 0.0;
    if (!NumberText::Parse(text, parsed) || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

bool ParseInt(std::string_view text, int& value) {
    long long parsed = 0;
    if (!NumberText::Parse(text, parsed)) return false;
    if (parsed < std::numeric_limits<int>::min() || parsed > std::numeric_limits<int>::max()) return false;
    value = static_cast<int>(parsed);
    return true;
}

bool ReadRealAttribute(const pugi::xml_node& node, const char* name, double& value, std::string& error) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) {
        error = std::string("a ") + node.name() + " element has no " + name + " attribute";
        return false;
    }
    if (!ParseReal(attribute.value(), value)) {
        error = std::string("the ") + name + " attribute of a " + node.name() + " element is not a number: " +
                Quoted(attribute.value());
        return false;
    }
    return true;
}

bool ReadIntAttribute(const pugi::xml_node& node, const char* name, int& value, std::string& error) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) {
        error = std::string("a ") + node.name() + " element has no " + name + " attribute";
        return false;
    }
    if (!ParseInt(attribute.value(), value)) {
        error = std::string("the ") + name + " attribute of a " + node.name() + " element is not a whole number: " +
                Quoted(attribute.value());
        return false;
    }
    return true;
}

bool ReadVariables(const pugi::xml_node& node, CVariableSet& terms, std::string& error) {
    terms.Clear();
    pugi::xpath_node_set variables = node.select_nodes("Variables/Variable");
    variables.sort();
    for (const pugi::xpath_node& selected : variables) {
        const pugi::xml_node variable = selected.node();
        int id = 0;
        double coefficient = 0.0;
        if (!ReadIntAttribute(variable, "ID", id, error)) return false;
        if (!ReadRealAttribute(variable, "value", coefficient, error)) return false;
        terms.Add(id, coefficient);
    }
    return true;
}

bool ReadThresholds(const pugi::xml_node& node, std::vector<double>& values, std::string& error) {
    values.clear();
    pugi::xpath_node_set thresholds = node.select_nodes("Thresholds/Threshold");
    thresholds.sort();
    for (const pugi::xpath_node& selected : thresholds) {
        double value = 0.0;
        if (!ReadRealAttribute(selected.node(), "value", value, error)) return false;
        values.push_back(value);
    }
    return true;
}

bool ReadVariance(const pugi::xml_node& node, double& value, std::string& error) {
    const pugi::xml_node variance = node.child("Variance");
    if (!variance) {
        error = "the element has no Variance";
        return false;
    }
    std::string text;
    AppendText(variance, text);
    if (!ParseReal(text, value)) {
        error = "the Variance is not a number: " + Quoted(text);
        return false;
    }
    return true;
}

}  // namespace ModelConfigXml
