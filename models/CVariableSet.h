#pragma once
// The explanatory terms of one model function: the variable ID and estimated
// coefficient of every term and, as a scratch area, the values last computed
// for one decision maker. A model's utility (or, for a regression, its expected
// value) is the sum of coefficient times value over the terms.
//
// A variable ID is source x 10000 + index: source 0 a household column,
// 1 a person column, 2 a column of the household's home zone, 3 a computed
// variable (index 0 to 920), 4 a column of the person's activity zone. Any other
// source, and a computed index above 920, stands for the value 0.0.

#include <string>
#include <vector>

class CInputDataManager;
class CHouseholdObject;
class CPersonObject;
class CPattern;
class CTour;
class CStop;
class CModelSystem;

class CVariableSet {
public:
    // Sources of a variable ID.
    static constexpr int kHouseholdSource = 0;
    static constexpr int kPersonSource = 1;
    static constexpr int kHomeZoneSource = 2;
    static constexpr int kComputedSource = 3;
    static constexpr int kActivityZoneSource = 4;
    // Variable ID = source x kSourceFactor + index.
    static constexpr int kSourceFactor = 10000;

    CVariableSet() = default;
    // Copies all four fields, values included.
    CVariableSet(const CVariableSet& other) = default;
    // Copies the count and, term by term, the IDs and coefficients; the values
    // of this set end up empty.
    CVariableSet& operator=(const CVariableSet& other);

    // Appends a term; the values are not touched.
    void Add(int id, double coefficient);
    // Removes term i (later terms move up); the values are not touched. A
    // position outside 0 to count - 1 leaves the set unchanged.
    void RemoveAt(int i);
    // Empties the set: count 0, no IDs, coefficients or values.
    void Clear();

    // Sum over the terms, in order, of coefficient i x value i. A term without a
    // computed value (values shorter than the IDs) counts as value 0.0.
    double Utility() const;

    // Evaluates every term for one decision maker (the level objects below the
    // one given are null) and stores the values in term order; a term whose ID
    // has no definition gets 0.0.
    void ComputeValues(CInputDataManager* manager, CHouseholdObject* household, CPersonObject* person,
                       CPattern* pattern, CTour* tour, CStop* stop, CModelSystem* owner);

    // Display text of term i as the editors' term lists show it: the
    // coefficient (10 significant digits, a whole number keeping its point),
    // " * " and the name of the variable: a column name of the households,
    // persons or zones table for sources 0 to 2, entry `index` of
    // `descriptions` (the owning model system's m_variableNames) for source 3,
    // the ID in decimal for any other source, for an index outside its list and
    // for source 3 without descriptions. Stores the text in `out` and returns
    // it. A term index outside the set throws std::out_of_range.
    std::string& FormatTerm(std::string& out, int i, const std::vector<std::string>* descriptions) const;

    // Source and index of a variable ID. A negative ID has source -1 (an
    // undefined source) and index -1.
    static int SourceOf(int id) { return id < 0 ? -1 : id / kSourceFactor; }
    static int IndexOf(int id) { return id < 0 ? -1 : id % kSourceFactor; }
    static int MakeId(int source, int index) { return source * kSourceFactor + index; }

    int m_nCount = 0;                     // number of terms
    std::vector<int> m_variableIds;       // ID of term i
    std::vector<double> m_values;         // value of term i for the last decision maker (scratch)
    std::vector<double> m_coefficients;   // coefficient of term i
};
