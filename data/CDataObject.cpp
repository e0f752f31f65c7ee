#include "data/CDataObject.h"

#include "platform/NumberText.h"

#include <stdexcept>

std::mutex& CDataObject::NamesLock() {
    static std::mutex lock;
    return lock;
}

void CDataObject::AddColumnName(const std::string& name) {
    std::lock_guard<std::mutex> guard(NamesLock());
    ColumnNameArray().push_back(name);
}

void CDataObject::GetColumnNames(std::vector<std::string>& names) const {
    std::lock_guard<std::mutex> guard(NamesLock());
    names = ColumnNameArray();
}

std::string CDataObject::GetColumnName(int i) const {
    std::lock_guard<std::mutex> guard(NamesLock());
    const std::vector<std::string>& names = ColumnNameArray();
    if (i < 0 || i >= static_cast<int>(names.size()))
        throw std::invalid_argument("column position " + NumberText::Integer(i) + " outside the table's " +
                                    NumberText::Integer(static_cast<long long>(names.size())) + " columns");
    return names[static_cast<size_t>(i)];
}

void CDataObject::SetColumnNames(const std::vector<std::string>& names) {
    std::lock_guard<std::mutex> guard(NamesLock());
    ColumnNameArray() = names;
}

int CDataObject::GetColumnCount() const {
    std::lock_guard<std::mutex> guard(NamesLock());
    return static_cast<int>(ColumnNameArray().size());
}
