#pragma once
// Base of every econometric model component. It holds what each model needs to
// take part in a model system: its name (also its id in the model-parameter
// file and its editor's caption), the computed variables its editor offers, the
// level objects of its last evaluation and the model system that owns it,
// whose thread index selects the random stream of every draw.
//
// The virtual operations let the application edit, read and write any model
// without knowing its class; the base versions read and write nothing.

#include "models/CEvaluationContext.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace pugi {
class xml_node;
}

class CModelSystem;
class CVariableSet;

class CModelModule {
public:
    // Empty name and admissible list, empty context, no owner.
    CModelModule() = default;
    virtual ~CModelModule() = default;

    CModelModule(const CModelModule&) = delete;
    CModelModule& operator=(const CModelModule&) = delete;

    // Slot 0: lets the user change the parameters in the class's editor
    // (CEditorRegistry); the model changes only when the user confirms.
    virtual void Edit() {}
    // Parameters of one model read from its ModelConfig element or its text
    // record and checked, waiting to be applied. Reading is split in two so
    // that a file changes the models only when every one of its elements is
    // sound: the file level parses all of them first, then applies them.
    struct ParsedParameters {
        virtual ~ParsedParameters() = default;
    };
    // The parsed parameters of a model class: its own Parameters structure.
    template <class P>
    struct ParsedAs : ParsedParameters {
        explicit ParsedAs(P value) : parameters(std::move(value)) {}
        P parameters;
    };

    // Slot 1: reads the model's record of the text form that follows its name
    // line and checks it. Null, with the reason in `error`, when the record is
    // not sound; the model itself never changes here.
    virtual std::unique_ptr<ParsedParameters> ParseText(std::istream& in, std::string& error) const;
    // Slot 2: writes the model's record of the text form (nothing for a model
    // without one).
    virtual void WriteText(std::ostream& out) const {}
    // Slot 3: reads the model's ModelConfig element and checks it. Null, with
    // the reason in `error`, when the element is not sound; the model itself
    // never changes here.
    virtual std::unique_ptr<ParsedParameters> ParseXml(const pugi::xml_node& element, std::string& error) const;
    // Slot 4: writes the model's ModelConfig element (nothing for a model
    // without one).
    virtual void WriteXml(std::ostream& out) const {}
    // Replaces the model's parameters by what ParseText or ParseXml of this
    // model gave. Parameters of another class are ignored.
    virtual void ApplyParameters(const ParsedParameters& parsed) {}

    // Both steps for one model: reads, and applies only when the record or the
    // element is sound; otherwise posts a message naming the model, keeps the
    // parameters and returns false.
    bool ReadText(std::istream& in);
    bool ReadXml(const pugi::xml_node& element);

    // A copy of the name.
    std::string GetName() const { return m_name; }
    const std::vector<int>& GetAdmissibleVariables() const { return m_admissibleVariables; }
    CModelSystem* GetOwner() const { return m_pOwner; }

    // Thread index of the owner, which selects the random stream. A model
    // without an owner throws std::logic_error.
    int GetThreadIndex() const;

    // One uniform in (0, 1) from the owner's thread stream.
    double DrawUniform();
    // A standard normal from two uniforms of that stream: the first feeds the
    // logarithm, the second the cosine.
    double DrawStandardNormal();

    // The model's name; set by the derived constructor.
    std::string m_name;
    // Registry indices (variable ID - 30000) of the computed variables the
    // editor offers under "Other"; filled when the catalogue creates the model.
    std::vector<int> m_admissibleVariables;
    // Level objects of the last per-level evaluation (scratch).
    CEvaluationContext m_context;
    // The model system that created the model (not owned).
    CModelSystem* m_pOwner = nullptr;

protected:
    // Per-level evaluation of a model's terms for a stop, tour, pattern,
    // person or household: SetContext, then ComputeFromContext on the terms.
    template <class Level>
    void EvaluateTerms(CVariableSet& terms, Level* level) {
        SetContext(level);
        ComputeFromContext(terms);
    }

    // Fills the context from a level object by the back-links and, at the
    // stop, tour and pattern levels, reports a pattern that is not the
    // person's own ("OOps"); the evaluation then goes on with that pattern.
    // A model with several term sets sets the context once and computes each.
    void SetContext(CStop* stop);
    void SetContext(CTour* tour);
    void SetContext(CPattern* pattern);
    void SetContext(CPersonObject* person);
    void SetContext(CHouseholdObject* household);
    // Evaluates the terms with the context's objects and the owner.
    void ComputeFromContext(CVariableSet& terms);

    // Posts the message that an edit or a read was refused, naming the model.
    void ReportRejected(const std::string& reason) const;

private:
    void CheckContextPattern() const;
};
