#include "platform/DbError.h"

#include "platform/NumberText.h"

#include <utility>

DbError::DbError(std::string message, std::string sqlState, long nativeCode)
    : m_message(std::move(message)), m_sqlState(std::move(sqlState)), m_nativeCode(nativeCode) {}

std::string DbError::Report() const {
    std::string text = m_message;
    if (!m_sqlState.empty() || m_nativeCode != 0) {
        text += "\nState:" + m_sqlState + ",Native:" + NumberText::Integer(m_nativeCode);
    }
    return text;
}
