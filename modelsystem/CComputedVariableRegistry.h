#pragma once
// Display names that a model system keeps for the model editors and for term
// display: the five variable sources a user picks from and the descriptions of
// the computed variables (IDs 30000 + i). Each model system owns one copy, built
// once at construction and only read afterwards. Evaluation never consults it:
// a variable's value is fixed by its ID alone.

#include <string>
#include <string_view>
#include <vector>

// The name lists term display chooses from by the source of a variable ID
// (ID / 10000). A null list means the source has no names: the ID is shown in
// decimal instead.
struct STermNameLists {
    const std::vector<std::string>* householdColumns = nullptr;  // source 0
    const std::vector<std::string>* personColumns = nullptr;     // source 1
    const std::vector<std::string>* zoneColumns = nullptr;       // source 2
    const std::vector<std::string>* computedVariables = nullptr; // source 3
};

class CComputedVariableRegistry {
public:
    static constexpr int kEntryCount = 1000;    // slots for IDs 30000 .. 30999
    static constexpr int kComputedSource = 3;   // source digit of computed variables
    static constexpr int kFirstComputedId = kComputedSource * 10000;

    // Empty lists; Build fills them.
    CComputedVariableRegistry() = default;

    // Fills the source names ("Households", "Persons", "Zones", "VehicleMake",
    // "Other") and the 1000 description slots: each slot with a stored text
    // gets it, every other slot stays empty. Building again starts afresh.
    void Build();

    // The five variable-source names, in the order the editors list them.
    const std::vector<std::string>& GetTableNames() const { return m_tableNames; }
    // Slot i describes variable ID 30000 + i; an undescribed slot is empty.
    const std::vector<std::string>& GetVariableNames() const { return m_variableNames; }
    int GetSize() const { return static_cast<int>(m_variableNames.size()); }

    // Slot by registry index (variable ID - 30000), as the editors read it for
    // a model's admissible variables. Throws std::invalid_argument outside the
    // slots.
    const std::string& GetAt(int index) const;
    // Slot of a computed-variable ID; null when the ID is not of the computed
    // source or its index lies outside the slots.
    const std::string* Find(int variableId) const;

    // Coefficient text of a term, as the editors have always shown it: 10
    // significant digits, trailing zeros dropped, a whole number keeps its
    // point ("2."); magnitudes below 0.1 or from 1e10 up take an exponent of
    // at least three digits ("5.e-002").
    static std::string FormatCoefficient(double coefficient);
    // The same with the given number of significant digits (2 to 17); the
    // exponent form starts at 10^digits. The editors write a newly added term
    // with 15.
    static std::string FormatCoefficient(double coefficient, int significantDigits);
    // Name of a variable ID: entry ID mod 10000 of the list of its source, or
    // the ID in decimal when the source has no list or the index lies outside.
    static std::string DescribeVariable(int variableId, const STermNameLists& lists);
    // Display text of one term as the editors' term lists show it:
    // coefficient text, " * ", variable name.
    static std::string FormatTerm(int variableId, double coefficient, const STermNameLists& lists);

private:
    void Store(int index, std::string_view text);

    std::vector<std::string> m_tableNames;
    std::vector<std::string> m_variableNames;
};
