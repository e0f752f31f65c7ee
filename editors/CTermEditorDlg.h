#pragma once
// Common part of the eight model editors: the dialog that shows a model's
// linear terms ("Linear terms entered:") and lets the user append a term (a
// variable picked from one of the five sources, with a coefficient) or remove
// one. It works on the dialog's own copy of the parameters; the model takes
// the copy only when the dialog ends with OK (CEditorRegistry). Each class's
// dialog adds its extra parameters and checks them when OK is pressed; a
// refused check leaves the dialog open with a message.
//
// Key rule of a picked term: "Households" position p -> ID p, "Persons" ->
// 10000 + p, "Zones" -> 20000 + p, "VehicleMake" -> 60000 + p (the make
// columns the vehicle-make choice reads), "Other" -> 30000 + the admissible
// index at p, so the ID names exactly the computed variable picked.

#include <QDialog>

#include <string>
#include <vector>

class CModelModule;
class CModelSystem;
class CVariableSet;
class QBoxLayout;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

class CTermEditorDlg : public QDialog {
public:
    // Positions of the source list.
    enum Source { kHouseholds = 0, kPersons = 1, kZones = 2, kVehicleMake = 3, kOther = 4 };
    // Source digit of the variable IDs picked from "VehicleMake".
    static constexpr int kVehicleMakeSource = 6;

    CTermEditorDlg(const CTermEditorDlg&) = delete;
    CTermEditorDlg& operator=(const CTermEditorDlg&) = delete;

    // The variable ID a pick stores (the key rule above); -1 for a position
    // outside the source's list.
    int VariableIdFor(int source, int position) const;
    // The descriptions of the model's admissible computed variables, in the
    // model's order (the "Other" source).
    const std::vector<std::string>& DerivedNames() const { return m_derivedNames; }

    // Handlers of the controls, also driven by the tests.
    void OnSelchangeSourceTable();
    void OnAddTerm();
    void OnRemoveTerm();
    void OnClearFunction();

    // OK: the extras are checked and taken, then the dialog ends accepted; a
    // refused check posts its message and keeps the dialog open.
    void accept() override;

protected:
    // Reads the model's name (the caption), its owner's name lists and its
    // admissible list. An admissible index outside the owner's computed-variable
    // descriptions throws std::invalid_argument: no dialog is shown.
    CTermEditorDlg(const CModelModule& model, const QString& groupTitle, QWidget* parent);

    // The term set the lists show. `forChange`: a term is about to be added
    // (a multinomial logit creates the set of an alternative that has none).
    virtual CVariableSet& CurrentTerms(bool forChange) = 0;
    // Checks the extra fields and reads them into the working copy. False, with
    // the reason and the field to focus, when they cannot be taken.
    virtual bool CheckExtras(std::string& reason, QWidget*& field) { return true; }
    // Called once the check passed, just before the dialog ends with OK.
    virtual void TakeExtras() {}

    // Fills the terms list from the current term set.
    void ListTerms();
    // A row above the terms group (the class's fixed texts or its alternative).
    QBoxLayout* TopRow() const { return m_topRow; }
    // The area below the terms group (variance, counts, value pages).
    QBoxLayout* ExtrasArea() const { return m_extrasArea; }
    // Adds the "Clear function" button beside the terms.
    void AddClearFunctionButton();
    // A line edit for an extra value, named for the tests.
    static QLineEdit* MakeValueField(const QString& objectName, const std::string& text);

    const CModelModule& m_model;

private:
    void FillSourceNames();

    std::vector<std::string> m_tableNames;
    std::vector<std::string> m_variableNames;   // the owner's computed-variable descriptions
    std::vector<int> m_admissible;
    std::vector<std::string> m_derivedNames;

    QListWidget* m_sourceList = nullptr;
    QListWidget* m_variableList = nullptr;
    QListWidget* m_termsList = nullptr;
    QLineEdit* m_coefficientField = nullptr;
    QBoxLayout* m_topRow = nullptr;
    QBoxLayout* m_extrasArea = nullptr;
    QBoxLayout* m_termButtons = nullptr;
};
