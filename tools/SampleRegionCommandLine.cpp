#include "tools/SampleRegionCommandLine.h"

#include "platform/NumberText.h"

namespace {

bool ParseCount(const std::string& text, long long low, long long high, long long& value) {
    long long parsed = 0;
    if (!NumberText::Parse(text, parsed) || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

}  // namespace

bool SampleRegionCommandLine::Fail(const std::string& message) {
    m_error = message;
    return false;
}

bool SampleRegionCommandLine::Parse(const std::vector<std::string>& arguments) {
    *this = SampleRegionCommandLine();
    bool zonesGiven = false, householdsGiven = false, seedGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            m_help = true;
            return true;
        }
        if (option != "--zones" && option != "--households" && option != "--seed" && option != "--sqlite" &&
            option != "--connect")
            return Fail("Unknown argument \"" + option + "\".");
        if (i + 1 >= arguments.size()) return Fail("The option " + option + " needs a value.");
        const std::string& value = arguments[++i];
        long long number = 0;
        if (option == "--zones") {
            if (zonesGiven) return Fail("The option --zones is given twice.");
            if (!ParseCount(value, 1, SampleRegionGenerator::kMaxZones, number))
                return Fail("--zones takes a whole number from 1 to " +
                            NumberText::Integer(SampleRegionGenerator::kMaxZones) + ", not \"" + value + "\".");
            m_options.zones = static_cast<int>(number);
            zonesGiven = true;
        } else if (option == "--households") {
            if (householdsGiven) return Fail("The option --households is given twice.");
            if (!ParseCount(value, 0, SampleRegionGenerator::kMaxHouseholds, number))
                return Fail("--households takes a whole number from 0 to " +
                            NumberText::Integer(SampleRegionGenerator::kMaxHouseholds) + ", not \"" + value + "\".");
            m_options.households = static_cast<int>(number);
            householdsGiven = true;
        } else if (option == "--seed") {
            if (seedGiven) return Fail("The option --seed is given twice.");
            if (!ParseCount(value, 0, INT64_MAX, number))
                return Fail("--seed takes a whole number of 0 or more, not \"" + value + "\".");
            m_options.seed = static_cast<std::uint64_t>(number);
            seedGiven = true;
        } else if (option == "--sqlite") {
            if (!m_sqliteFile.empty() || !m_connect.empty())
                return Fail("Give the database once: either --sqlite FILE or --connect \"ODBC connect string\".");
            if (value.empty()) return Fail("--sqlite needs a file name.");
            if (value.find_first_of(";{}") != std::string::npos)
                return Fail("The SQLite file name may not contain ';', '{' or '}'.");
            m_sqliteFile = value;
        } else {
            if (!m_sqliteFile.empty() || !m_connect.empty())
                return Fail("Give the database once: either --sqlite FILE or --connect \"ODBC connect string\".");
            if (value.empty()) return Fail("--connect needs an ODBC connect string.");
            m_connect = value;
        }
    }
    if (m_sqliteFile.empty() && m_connect.empty())
        return Fail("Say where to write the region: --sqlite FILE or --connect \"ODBC connect string\".");
    return true;
}

std::string SampleRegionCommandLine::ConnectString() const {
    if (!m_sqliteFile.empty()) return "Driver=SQLite3;Database=" + m_sqliteFile + ";";
    return m_connect;
}

std::string SampleRegionCommandLine::TargetName() const {
    return m_sqliteFile.empty() ? std::string("the ODBC data source") : m_sqliteFile;
}

std::string SampleRegionCommandLine::Usage(const std::string& program) {
    return "Usage: " + program +
           " [--zones N] [--households M] [--seed S] (--sqlite FILE | --connect \"ODBC connect string\")\n"
           "Writes a synthetic region (households, persons, zones, zone2zone, losdir, VehicleMake and one\n"
           "level-of-service table per period) to the database, replacing tables of those names.\n"
           "  --zones N        number of zones, 1 to " +
           NumberText::Integer(SampleRegionGenerator::kMaxZones) +
           " (default 25)\n"
           "  --households M   number of households, 0 to " +
           NumberText::Integer(SampleRegionGenerator::kMaxHouseholds) +
           " (default 200)\n"
           "  --seed S         seed of the region; the same seed gives the same data (default 1)\n"
           "  --sqlite FILE    write to an SQLite database file (created when missing)\n"
           "  --connect TEXT   write through an ODBC connect string, e.g.\n"
           "                   \"Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=5432;Database=tolvar;Uid=postgres;Pwd=;\"\n";
}
