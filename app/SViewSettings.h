#pragma once
// The run settings the main window's view states in four lines: the input
// database, the model-parameter file, the sample rate and the type of the
// connected database. The commands change them; the view only draws them.

#include <array>
#include <string>

struct SViewSettings {
    std::string inputDatabase = "Unspecified";
    std::string configFile = "Unspecified";
    double sampleFraction = 1.0;
    std::string databaseType = "Unspecified";

    // "Input database : ...", "Input configuration file : ...",
    // "Sampling at : 100.0 %", "Database Type : ...".
    std::array<std::string, 4> Lines() const;
};
