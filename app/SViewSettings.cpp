#include "app/SViewSettings.h"

#include "platform/NumberText.h"

std::array<std::string, 4> SViewSettings::Lines() const {
    return {"Input database : " + inputDatabase, "Input configuration file : " + configFile,
            "Sampling at : " + NumberText::Fixed(sampleFraction * 100.0, 1) + " %",
            "Database Type : " + databaseType};
}
