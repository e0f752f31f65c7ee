#include "TestDatabase.h"

#include "platform/CDatabase.h"
#include "platform/NumberText.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <unistd.h>

namespace {

std::string PostgreSQLAdminConnect() {
    const char* connect = std::getenv("TOLVAR_PG_CONNECT");
    return connect ? connect : "";
}

bool RunningInCI() {
    const char* ci = std::getenv("CI");
    return ci && *ci && std::string(ci) != "false" && std::string(ci) != "0";
}

std::string UniqueName() {
    static std::atomic<int> counter{0};
    return "tolvar_t" + NumberText::Integer(getpid()) + "_" + NumberText::Integer(counter++);
}

// The admin connect string with its Database= entry replaced.
std::string WithDatabase(const std::string& connect, const std::string& database) {
    static const std::regex entry("(^|;)\\s*Database\\s*=[^;]*", std::regex::icase);
    if (std::regex_search(connect, entry))
        return std::regex_replace(connect, entry, "$1Database=" + database, std::regex_constants::format_first_only);
    return connect + (connect.empty() || connect.back() == ';' ? "" : ";") + "Database=" + database + ";";
}

}  // namespace

std::vector<std::string> TestDatabase::Kinds() {
    std::vector<std::string> kinds{"SQLite"};
    if (!PostgreSQLAdminConnect().empty() || RunningInCI()) kinds.push_back("PostgreSQL");
    return kinds;
}

std::string TestDatabase::KindName(const ::testing::TestParamInfo<std::string>& info) { return info.param; }

std::unique_ptr<TestDatabase> TestDatabase::Create(const std::string& kind, bool onServer) {
    std::unique_ptr<TestDatabase> db(new TestDatabase);
    db->m_kind = kind;
    if (kind == "SQLite") {
        auto dir = std::filesystem::temp_directory_path() / "tolvar-tests";
        std::filesystem::create_directories(dir);
        db->m_name = (dir / (UniqueName() + ".db")).string();
        std::filesystem::remove(db->m_name);
        db->m_connect = "Driver=SQLite3;Database=" + db->m_name + ";";
    } else if (kind == "PostgreSQL") {
        std::string admin = PostgreSQLAdminConnect();
        if (admin.empty()) throw std::runtime_error("TOLVAR_PG_CONNECT is not set: PostgreSQL tests cannot run");
        db->m_name = UniqueName();
        db->m_connect = WithDatabase(admin, db->m_name);
        if (!onServer) return db;
        CDatabase server;
        server.OpenEx(admin, false);
        server.ExecuteSQL("CREATE DATABASE " + db->m_name);
    } else {
        throw std::invalid_argument("unknown test database kind " + kind);
    }
    return db;
}

TestDatabase::~TestDatabase() {
    m_writer.reset();
    try {
        if (m_kind == "SQLite") {
            std::filesystem::remove(m_name);
        } else if (m_kind == "PostgreSQL") {
            CDatabase server;
            server.OpenEx(PostgreSQLAdminConnect(), false);
            server.ExecuteSQL("DROP DATABASE IF EXISTS " + m_name + " WITH (FORCE)");
        }
    } catch (...) {
        // A scratch database that cannot be removed is left behind; never throw here.
    }
}

void TestDatabase::Execute(const std::string& sql) {
    if (!m_writer) {
        m_writer = std::make_unique<CDatabase>();
        m_writer->OpenEx(m_connect, false);
    }
    m_writer->ExecuteSQL(sql);
}
