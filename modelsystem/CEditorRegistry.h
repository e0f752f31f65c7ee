#pragma once
// Where the user interface plugs in the parameter editor of each model class.
// A model's Edit hands a copy of its editable parameters to the editor
// installed for its class; the editor shows them, lets the user change them and
// answers true when the user confirmed (the dialog's OK). Only then does the
// model take the edited copy. Without an installed editor Edit changes nothing,
// so the simulation core runs without any window.
//
// An editor for model class M is a callable
//     bool(const M& model, M::Parameters& edited)
// that receives the model (its name, owner and admissible variables, which the
// dialogs show) and the copy it edits in place.
//
// Threads: editors are installed and run on the user-interface thread while no
// simulation runs; the table itself is guarded, so installing is safe anytime.

#include <functional>
#include <memory>
#include <typeindex>
#include <typeinfo>

class CEditorRegistry {
public:
    template <class Model>
    using Editor = std::function<bool(const Model& model, typename Model::Parameters& edited)>;

    // Installs (or, with an empty editor, removes) the editor of class Model,
    // replacing the one installed before.
    template <class Model>
    static void Install(Editor<Model> editor) {
        if (!editor) {
            Store(typeid(Model), nullptr);
            return;
        }
        Store(typeid(Model), std::make_shared<Editor<Model>>(std::move(editor)));
    }

    template <class Model>
    static void Remove() {
        Store(typeid(Model), nullptr);
    }

    template <class Model>
    static bool IsInstalled() {
        return Lookup(typeid(Model)) != nullptr;
    }

    // Runs the editor of class Model on the copy. False when none is installed
    // or the user did not confirm; the copy's contents are then meaningless.
    template <class Model>
    static bool Run(const Model& model, typename Model::Parameters& edited) {
        const std::shared_ptr<const void> stored = Lookup(typeid(Model));
        if (!stored) return false;
        const auto& editor = *static_cast<const Editor<Model>*>(stored.get());
        return editor(model, edited);
    }

    // Removes every installed editor.
    static void Clear();

private:
    static void Store(std::type_index modelClass, std::shared_ptr<const void> editor);
    static std::shared_ptr<const void> Lookup(std::type_index modelClass);
};
