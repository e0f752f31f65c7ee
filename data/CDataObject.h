#pragma once
// Base of every object that has an input table behind it. Each concrete class
// keeps the column names of its table in one class-wide array, shared by all
// objects of the class and all worker threads; the model editors list these
// names and the level-of-service queries build their SQL from them. All access
// to the arrays goes through one process-wide lock.

#include <mutex>
#include <string>
#include <vector>

class CDataObject {
public:
    // Registers the next column name of the class's table.
    virtual void AddColumnName(const std::string& name);
    // Empties names and copies the class's names into it.
    virtual void GetColumnNames(std::vector<std::string>& names) const;
    // Name of column i (0-based position); std::invalid_argument outside 0..count-1.
    virtual std::string GetColumnName(int i) const;

    // Replaces the class's names with the columns of one table as one step, so
    // that threads registering the same table at once leave each column once.
    void SetColumnNames(const std::vector<std::string>& names);
    int GetColumnCount() const;

protected:
    CDataObject() = default;
    CDataObject(const CDataObject&) = default;
    CDataObject& operator=(const CDataObject&) = default;
    // Objects are always destroyed through their own class.
    ~CDataObject() = default;

    // The class-wide name array of the concrete class.
    virtual std::vector<std::string>& ColumnNameArray() const = 0;

    // The lock that guards every class-wide name array.
    static std::mutex& NamesLock();
};
