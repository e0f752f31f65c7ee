#pragma once
// The paged value rows of the ordered-probit, MDCEV and hazard editors: a
// count field, an "Edit" button and a group that shows one or two value
// vectors five entries at a time, with "=>" and "<=" to move between pages.
// The group stays out of view until "Edit" is pressed. The number of rows is
// the count, or count - 1 for the hazard intervals (never below 0).
//
// The pager owns working copies of the vectors. Each is padded to at least
// five entries, and grown to whole pages of five when the rows outgrow it;
// what the dialog hands back on OK is each vector cut or padded to the rows.

#include <QWidget>

#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class CValuePager : public QWidget {
public:
    static constexpr int kRowsPerPage = 5;
    static constexpr int kLargestCount = 999;

    struct Options {
        QString countLabel;             // "# Threshold values", ...
        QString groupTitle;             // the value group's title
        std::vector<QString> rowLabels; // one per vector: "Value:", or "Time:" and "Parameter:"
        bool rowsOneFewer = false;      // rows = count - 1 (hazard intervals)
        int smallestCount = 0;          // lower bound of the count field
        bool countEditable = true;      // false: the count is shown read-only
    };

    // `vectors` must hold one vector per row label.
    CValuePager(const Options& options, int count, std::vector<std::vector<double>> vectors,
                QWidget* parent = nullptr);

    int Count() const;
    int Rows() const;
    int Page() const { return m_page; }
    bool IsExpanded() const;
    // Working vector v (padded as described above).
    const std::vector<double>& Values(int v) const { return m_vectors[static_cast<std::size_t>(v)]; }
    // Working vector v cut or padded with 0.0 to the rows.
    std::vector<double> ValuesForRows(int v) const;
    // Row slot k (0 to 4) of the page: shown, and the number it shows.
    bool IsRowShown(int k) const;
    QString RowNumber(int k) const;

    // Handlers of "Edit", "=>" and "<=".
    void OnEditValues();
    void OnNextValues();
    void OnPrevValues();

    // Reads the fields of the rows on the current page into the vectors.
    // False, with the reason and the field to focus, when a field does not
    // hold a finite number; the fields before it are taken.
    bool ReadFields(std::string& reason, QWidget*& field);

private:
    // Reads the fields; posts the reason of a failure. False on failure.
    bool ReadFieldsOrReport();
    // Grows every vector shorter than the rows to whole pages of five.
    void GrowToRows();
    // Shows page p: numbers, visibility and page buttons follow the rows.
    void ShowPage(int page);
    // Writes the page's values into the fields.
    void WriteFields();

    Options m_options;
    std::vector<std::vector<double>> m_vectors;
    int m_page = 0;

    QSpinBox* m_countField = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_nextButton = nullptr;
    QPushButton* m_prevButton = nullptr;
    QGroupBox* m_group = nullptr;
    std::vector<QLabel*> m_rowNumbers;                // kRowsPerPage
    std::vector<std::vector<QLineEdit*>> m_fields;    // per vector, kRowsPerPage
};
