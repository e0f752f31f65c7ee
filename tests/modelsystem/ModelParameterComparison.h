#pragma once
// Test helpers for the model-parameter file: comparing the parameters of two
// models (everything the file and the text form carry), finding a model of a
// model system by name, filling every model with distinct parameters, and a
// scratch folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

class CModelModule;
class CModelSystem;

namespace ModelParameterTesting {

// Success when both models are of one class and hold equal parameters: terms
// (count, IDs, coefficients), variance, thresholds or satiation values,
// intervals, base alternative and utility functions.
::testing::AssertionResult SameParameters(const CModelModule& a, const CModelModule& b);
// The same for every named model of two systems with the same catalogue.
::testing::AssertionResult SameParameters(const CModelSystem& a, const CModelSystem& b);

// The model of that exact name; fails the test (and throws) when there is none.
CModelModule& ModelNamed(const CModelSystem& system, const std::string& name);
template <class Model>
Model& ModelNamed(const CModelSystem& system, const std::string& name) {
    auto* model = dynamic_cast<Model*>(&ModelNamed(system, name));
    if (model == nullptr) throw std::logic_error("model of another class: " + name);
    return *model;
}

// Gives every named model of the system parameters of its own that its class
// accepts, derived from `seed` and the model's position; the coefficients
// include values that six decimals cannot hold.
void FillAllModels(CModelSystem& system, int seed);

// A fresh empty folder below the system's temporary folder, removed by the
// destructor.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    std::filesystem::path Path(const std::string& name) const { return m_path / name; }
    const std::filesystem::path& Root() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Writes a file with the given text.
void WriteFile(const std::filesystem::path& path, const std::string& text);
std::string ReadFile(const std::filesystem::path& path);

}  // namespace ModelParameterTesting
