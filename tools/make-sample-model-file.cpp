// Writes the bundled sample model-parameter file from the parameters in
// SampleModelParameters. Run it after changing them or the catalogue:
//
//   make-sample-model-file [PATH]      (default: sample/tolvar-sample.tvm)

#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CCommandLine.h"
#include "tools/SampleModelParameters.h"

#include <array>
#include <exception>
#include <iostream>
#include <string>

namespace {

constexpr std::array<CCommandLine::SExitStatus, 2> kExitStatuses = {{
    {0, "the file was written"},
    {1, "the file could not be written, or the catalogue has a model without sample parameters"},
}};

constexpr CCommandLine::SProgram kProgram{
    "make-sample-model-file",
    "[PATH]",
    "Writes the sample model-parameter file from the parameters set in "
    "tools/SampleModelParameters.cpp, to PATH (default: sample/tolvar-sample.tvm).",
    {},
    1,
    "",
    kExitStatuses,
};

}  // namespace

int main(int argc, char** argv) {
    CCommandLine commandLine(kProgram);
    int status = 0;
    if (!commandLine.ParseMain(argc, argv, status)) return status;
    const std::string path = commandLine.Operands().empty() ? "sample/tolvar-sample.tvm" : commandLine.Operands()[0];
    try {
        CModelSystem system;
        SampleModelParameters::Fill(system);
        if (!CModelParameterFile().SaveXml(path, system)) return commandLine.Fail("cannot write " + path);
    } catch (const std::exception& error) {
        return commandLine.Fail(error.what());
    }
    std::cout << "wrote " << path << "\n";
    return 0;
}
