#include "modelsystem/CEditorRegistry.h"

#include <map>
#include <mutex>

namespace {

std::mutex& RegistryLock() {
    static std::mutex lock;
    return lock;
}

std::map<std::type_index, std::shared_ptr<const void>>& Editors() {
    static std::map<std::type_index, std::shared_ptr<const void>> editors;
    return editors;
}

}  // namespace

void CEditorRegistry::Store(std::type_index modelClass, std::shared_ptr<const void> editor) {
    std::lock_guard<std::mutex> guard(RegistryLock());
    if (editor)
        Editors()[modelClass] = std::move(editor);
    else
        Editors().erase(modelClass);
}

std::shared_ptr<const void> CEditorRegistry::Lookup(std::type_index modelClass) {
    std::lock_guard<std::mutex> guard(RegistryLock());
    const auto found = Editors().find(modelClass);
    return found == Editors().end() ? nullptr : found->second;
}

void CEditorRegistry::Clear() {
    std::lock_guard<std::mutex> guard(RegistryLock());
    Editors().clear();
}
