#pragma once
// The explanatory variables of the joint work start and end time choice, the
// model's own evaluator (the general evaluator does not know them). For one
// alternative (a start window and an end window) they describe the times of
// day as Fourier terms of the hour, the work duration and its powers, the
// commute level of service in the bands of the two times, and interactions of
// these with three person attributes. The variable is selected by the index of
// its ID (the remainder after division by 10000); the source digits are not
// looked at.

#include <array>

class CPersonObject;
class CVariableSet;

class CWorkTimeOfDayVariables {
public:
    // sin and cos of ((t / 60) x a_k) / 24 for k = 1, 2, 3 (one, two and three
    // cycles a day), with the fixed constants a_k of the estimation.
    struct Fourier {
        std::array<double, 3> sine{};
        std::array<double, 3> cosine{};
    };
    static Fourier FourierTerms(double minutes);
    // The Fourier terms of the midpoint of each work time window, computed
    // once (equal to FourierTerms of the midpoint).
    static const Fourier& WindowFourierTerms(int window);

    // The three person attributes the interactions use, each the person column
    // truncated toward zero.
    struct PersonAttributes {
        double mother = 0.0;           // column 35
        double highFlexibility = 0.0;  // column 15
        double longHours = 0.0;        // column 48: more than 40 hours a week
    };
    // Reads columns 35, 15 and 48, in that order.
    static PersonAttributes ReadPerson(const CPersonObject& person);

    // One alternative as the variables see it.
    struct Alternative {
        double start = 0.0;            // S: midpoint of the start window (arrival at work)
        double end = 0.0;              // E: midpoint of the end window (departure from work)
        double startLowerBound = 0.0;  // lower bound of the start window
        double endLowerBound = 0.0;    // lower bound of the end window
        double endBandCost = 0.0;      // auto cost home -> work at the query time of E's band
        double endBandTime = 0.0;      // auto time home -> work at the query time of E's band
        double startBandCost = 0.0;    // auto cost work -> home at the query time of S's band
        double startBandTime = 0.0;    // auto time work -> home at the query time of S's band
        Fourier startTerms;            // FourierTerms(start)
        Fourier endTerms;              // FourierTerms(end)
    };

    // Value of the variable with this index for the alternative and person;
    // false, value untouched, for an index without a definition.
    static bool Evaluate(int index, const Alternative& alternative, const PersonAttributes& person, double& value);

    // Sizes the value vector to the number of IDs (new entries 0.0, the others
    // kept) and writes the value of every term whose index has a definition.
    static void Fill(CVariableSet& terms, const Alternative& alternative, const PersonAttributes& person);

    // x to the power n (n >= 0) by square and multiply on the bits of n,
    // starting from 1.0.
    static double IntegerPower(double x, unsigned n);
};
