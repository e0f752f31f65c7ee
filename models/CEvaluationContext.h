#pragma once
// The level objects of one model evaluation. A simulator hands a model one
// level object (a stop, tour, pattern, person or household); the context
// follows the back-links stop -> tour -> pattern -> person -> household from it
// and takes the input-data manager from the stop (stop level) or the household
// (every other level). Levels below the given one stay null.

class CInputDataManager;
class CStop;
class CTour;
class CPattern;
class CPersonObject;
class CHouseholdObject;

class CEvaluationContext {
public:
    // All six pointers null.
    CEvaluationContext() = default;

    // Each Set* first clears the context, then fills it from the level object.
    // A broken back-link (a stop without a tour, a tour without a pattern, a
    // pattern without a person, a person without a household) throws
    // std::logic_error, and so does a null level object; the household loop
    // reports it. A household without a manager leaves the manager null.
    void SetFromStop(CStop* stop);
    void SetFromTour(CTour* tour);
    void SetFromPattern(CPattern* pattern);
    void SetFromPerson(CPersonObject* person);
    void SetFromHousehold(CHouseholdObject* household);

    // Empties all six pointers.
    void Reset() { *this = CEvaluationContext(); }

    // True when the person's own pattern is the pattern of the context (the
    // evaluation reached the person from one of the person's own tours).
    bool PatternBelongsToPerson() const;

    CInputDataManager* m_pManager = nullptr;
    CStop* m_pStop = nullptr;
    CTour* m_pTour = nullptr;
    CPattern* m_pPattern = nullptr;
    CPersonObject* m_pPerson = nullptr;
    CHouseholdObject* m_pHousehold = nullptr;
};
