#pragma once
// What an alternative number of a household activity choice set (CMdcevMM)
// stands for: the activity type and the household members who undertake it.
// The decoding mirrors the numbering of the two choice-set builders.
//
// Households of fewer than six persons (BuildChoiceSet), n persons and
// M = 2^n - 1 groups: a number k from 1 to 8M is the joint type (k - 1) / M
// done by the group whose bits are ((k - 1) mod M) + 1 (bit i: person i + 1);
// a number above 8M is the individual type 8 (work related) of person k - 8M
// alone.
//
// Households of six persons or more (BuildChoiceSetLarge): a number k is
// type k / n of person (k mod n) + 1 alone; these households get no joint
// activities.

namespace MdcevAlternativeCodes {

// Type of the individual (work-related) alternatives; types 0 to 7 may be joint.
constexpr int kIndividualType = 8;

struct Alternative {
    // Activity type 0 to 8 of the choice set.
    int type = -1;
    // The members taking part: bit i stands for the member at position i + 1
    // of the person list (0 for a position beyond 32 of a large household).
    unsigned members = 0;
    // Number of members taking part.
    int memberCount = 0;
    // Position (1-based) of the member when memberCount is 1; 0 otherwise.
    int person = 0;
    // The members undertake the activity together (two or more members, small
    // households only).
    bool joint = false;
    // The number was one the builder can produce for the household's size.
    bool valid = false;
};

// The alternative of number `code` in the choice set of a household of
// `persons` members (fewer than six).
Alternative DecodeSmall(int code, int persons);

// The alternative of number `code` in the choice set of a household of
// `persons` members (six or more).
Alternative DecodeLarge(int code, int persons);

}  // namespace MdcevAlternativeCodes
