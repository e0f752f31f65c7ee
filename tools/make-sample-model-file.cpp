// Writes the bundled sample model-parameter file from the parameters in
// SampleModelParameters. Run it after changing them or the catalogue:
//
//   make-sample-model-file [path]      (default: sample/tolvar-sample.tvm)

#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/CModelSystem.h"
#include "tools/SampleModelParameters.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "sample/tolvar-sample.tvm";
    try {
        CModelSystem system;
        SampleModelParameters::Fill(system);
        if (!CModelParameterFile().SaveXml(path, system)) {
            std::cerr << "make-sample-model-file: cannot write " << path << "\n";
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << "make-sample-model-file: " << error.what() << "\n";
        return 1;
    }
    std::cout << "wrote " << path << "\n";
    return 0;
}
