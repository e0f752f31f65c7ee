#include "editors/VarianceField.h"

#include "editors/EditorNumberText.h"

#include <QLineEdit>

namespace VarianceField {

namespace {

template <class T>
bool ReadRanged(const QLineEdit& field, T& variance, std::string& reason) {
    const std::string text = field.text().toStdString();
    T read{};
    if (!EditorNumberText::ParseFinite(text, read)) {
        reason = "the variance \"" + text + "\" is not a number.";
        return false;
    }
    if (read < T(0) || static_cast<double>(read) > kLargestVariance) {
        reason = "the variance must lie between 0 and 99999999.";
        return false;
    }
    variance = read;
    return true;
}

}  // namespace

bool Read(const QLineEdit& field, double& variance, std::string& reason) {
    return ReadRanged(field, variance, reason);
}

bool Read(const QLineEdit& field, float& variance, std::string& reason) {
    return ReadRanged(field, variance, reason);
}

}  // namespace VarianceField
