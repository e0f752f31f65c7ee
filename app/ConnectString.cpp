#include "app/ConnectString.h"

#include <algorithm>
#include <cctype>

namespace ConnectString {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void Append(std::string& connect, const char* key, const std::string& value) {
    if (value.empty()) return;
    connect += key;
    connect += '=';
    connect += Quote(value);
    connect += ';';
}

// Whether an attribute of the connect string has this key (any letter case).
bool HasKey(const std::string& connect, const std::string& key) {
    const std::string lower = Lower(connect);
    std::size_t at = 0;
    bool inBraces = false;
    for (std::size_t i = 0; i <= lower.size(); ++i) {
        if (i < lower.size() && lower[i] == '{') inBraces = true;
        if (i < lower.size() && lower[i] == '}') inBraces = false;
        if (i == lower.size() || (lower[i] == ';' && !inBraces)) {
            const std::string attribute = lower.substr(at, i - at);
            const std::size_t equals = attribute.find('=');
            std::string name = attribute.substr(0, equals);
            name.erase(0, name.find_first_not_of(' '));
            name.erase(name.find_last_not_of(' ') + 1);
            if (equals != std::string::npos && name == key) return true;
            at = i + 1;
        }
    }
    return false;
}

}  // namespace

std::string Quote(const std::string& value) {
    if (value.empty()) return value;
    const bool needsBraces = value.find_first_of(";{}") != std::string::npos || value.front() == ' ' ||
                             value.back() == ' ';
    if (!needsBraces) return value;
    std::string quoted = "{";
    for (char c : value) {
        quoted += c;
        if (c == '}') quoted += '}';
    }
    quoted += '}';
    return quoted;
}

std::string Build(const SFields& fields) {
    std::string connect;
    if (!fields.dataSource.empty()) {
        Append(connect, "DSN", fields.dataSource);
        Append(connect, "Uid", fields.user);
        return connect;
    }
    // Driver names with blanks are braced by custom, which every manager accepts.
    if (!fields.driver.empty())
        connect += "Driver=" + (fields.driver.find(' ') != std::string::npos && fields.driver.front() != '{'
                                    ? "{" + fields.driver + "}"
                                    : Quote(fields.driver)) + ";";
    Append(connect, "Server", fields.server);
    Append(connect, "Port", fields.port);
    Append(connect, "Database", fields.database);
    Append(connect, "Uid", fields.user);
    return connect;
}

std::string WithPassword(const std::string& connect, const std::string& password) {
    if (password.empty() || HasKey(connect, "pwd") || HasKey(connect, "password")) return connect;
    std::string result = connect;
    if (!result.empty() && result.back() != ';') result += ';';
    Append(result, "Pwd", password);
    return result;
}

bool IsSQLiteDriver(const std::string& driver) { return Lower(driver).find("sqlite") != std::string::npos; }

}  // namespace ConnectString
