#pragma once
// Pieces shared by the model classes when they write and read their
// ModelConfig element of the model-parameter file: the number texts, the
// element's start tag and the Variables block. A reader never changes a model:
// it fills a structure and says what was wrong when an element is not sound.
//
// Numbers are written locale-independently: integers in decimal, reals with
// six decimals when that text reads back to the same number, otherwise with
// as many decimals as it takes. Numbers are read strictly: the whole text must
// be one finite number ("12abc", an empty text and "1,5" are errors).

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace pugi {
class xml_node;
}

class CVariableSet;

namespace ModelConfigXml {

// Fixed-notation text of a real that reads back exactly.
std::string Real(double value);
// The same for a 32-bit float field: widened to double and written so that it
// reads back to the same float.
std::string Float(float value);
// An attribute value with the characters XML reserves replaced by entities.
std::string Escape(std::string_view text);

// "<ModelConfig id=\"name\" optional-type=\"type\">" and two line breaks.
void WriteStartTag(std::ostream& out, const std::string& name, const char* typeText);
// "</ModelConfig>" and one line break.
void WriteEndTag(std::ostream& out);
// "<Variance>v</Variance>" and the given line breaks.
void WriteVariance(std::ostream& out, const std::string& valueText, const char* lineBreaks);
// "<Variables>", one line per term (while both lists have an entry, only for
// a count above 0), "</Variables>" and the given line breaks.
void WriteVariables(std::ostream& out, const CVariableSet& terms, const char* description,
                    const char* closingBreaks);

// "<Thresholds>", one "<Threshold value=\"v\" />" line per value,
// "</Thresholds>" and two line breaks.
void WriteThresholds(std::ostream& out, const std::vector<double>& values);

// Strict number texts.
bool ParseReal(std::string_view text, double& value);
bool ParseInt(std::string_view text, int& value);

// The attribute `name` of the node as a number; false, with the reason in
// `error`, when it is missing or not a number of its kind.
bool ReadRealAttribute(const pugi::xml_node& node, const char* name, double& value, std::string& error);
bool ReadIntAttribute(const pugi::xml_node& node, const char* name, int& value, std::string& error);

// Every Variable of every Variables child of the node, in document order,
// into an emptied set (term count = number of Variable elements).
bool ReadVariables(const pugi::xml_node& node, CVariableSet& terms, std::string& error);
// The value of every Threshold of every Thresholds child, in document order.
bool ReadThresholds(const pugi::xml_node& node, std::vector<double>& values, std::string& error);
// The text of the node's first Variance child as a real.
bool ReadVariance(const pugi::xml_node& node, double& value, std::string& error);

}  // namespace ModelConfigXml
