#pragma once
// The variance check shared by the regression and location editors: the
// field's whole text a finite number in 0 to 99999999.

#include <string>

class QLineEdit;

namespace VarianceField {

constexpr double kLargestVariance = 99999999.0;

// Reads the field into `variance`. False, with the reason, when the text is
// not a finite number of the type or lies outside 0 to kLargestVariance.
bool Read(const QLineEdit& field, double& variance, std::string& reason);
bool Read(const QLineEdit& field, float& variance, std::string& reason);

}  // namespace VarianceField
