#pragma once
// The parameters of the bundled sample model-parameter file
// (sample/tolvar-sample.tvm): hand-set, small and plausible coefficients for
// every model the file carries, so that a run over the sample region gives
// sensible days. They are not estimates: constants put each model near a
// typical value (durations and times in log-minutes, choices as utilities),
// and a few terms over household, person and zone columns and computed
// variables give each model some meaningful variation.

#include <string>

class CModelSystem;

namespace SampleModelParameters {

// Gives every named model of the system its sample parameters. Throws
// std::logic_error naming the first model the sample does not cover, so that
// a catalogue change cannot slip past the sample unnoticed.
void Fill(CModelSystem& system);

}  // namespace SampleModelParameters
