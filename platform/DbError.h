#pragma once
// Database failure raised by the ODBC layer: the driver's message with its
// SQLSTATE and native error code, as the input-data code reports it.

#include <exception>
#include <string>

class DbError : public std::exception {
public:
    DbError(std::string message, std::string sqlState = {}, long nativeCode = 0);

    const char* what() const noexcept override { return m_message.c_str(); }
    const std::string& Message() const { return m_message; }
    const std::string& SqlState() const { return m_sqlState; }
    long NativeCode() const { return m_nativeCode; }

    // The error's own report, shown after the caller's fixed text
    // ("Error 1" and so on): message, state and native code.
    std::string Report() const;

private:
    std::string m_message;
    std::string m_sqlState;
    long m_nativeCode;
};
