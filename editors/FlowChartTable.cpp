#include "editors/FlowChartTable.h"

#include <array>

namespace {

constexpr SChartBox Open(int id, const char* text, int family, int member, int chart) {
    return {id, text, family, member, BoxAction::OpenChart, chart, 0};
}
constexpr SChartBox Edit(int id, const char* text, int family, int member, int command) {
    return {id, text, family, member, BoxAction::RunCommands, command, 1};
}
// Four commands, tour 1 to tour 4: the user sees four editors in a row.
constexpr SChartBox EditTours(int id, const char* text, int family, int member, int firstCommand) {
    return {id, text, family, member, BoxAction::RunCommands, firstCommand, 4};
}
constexpr SChartBox Nothing(int id, const char* text, int family, int member) {
    return {id, text, family, member, BoxAction::Nothing, 0, 0};
}

// Chart 1: the overall framework.
constexpr std::array kBoxes1{
    Open(1053, "Generation-Allocation Model System", 1, 0, 2),
    Open(1054, "Scheduling Model System", 2, 1, 6),
    Open(1055, "Vehicle Model System", 3, 2, 23),
};
constexpr std::array<const char*, 0> kNoLabels{};

constexpr std::array kBoxes2{
    Open(1053, "Generation and Timing of Work and School Activities of Adults and Children", 1, 0, 3),
    Open(1054, "Generation of Children's Travel Needs and Allocation of Responsibilities to Parents", 1, 1, 4),
    Open(1055, "Generation of Independent Activities by Adults and Children for Personal and Household Serving Needs",
         1, 2, 5),
};

constexpr std::array kLabels3{
    "For each child who is a student", "For each employed adult", "For each adult who is a student",
    "If \"Yes\"", "If \"Yes\"", "If \"Yes\"",
};
constexpr std::array kBoxes3{
    Edit(1053, "Decision to go to School (GA1)", 4, 0, 32779),
    Edit(1054, "School Start Time (GA2)", 4, 1, 32780),
    Edit(1055, "School End Time (GA3)", 4, 2, 32781),
    Edit(1056, "Decision to go to Work (GA4)", 5, 3, 32796),
    Edit(1057, "Work Start and End Time (GA5)", 5, 4, 32797),
    Edit(1059, "Decision to go to School (GA7)", 6, 5, 32799),
    Edit(1060, "School Start Time (GA8)", 6, 6, 32800),
    Edit(1061, "School End Time (GA9)", 6, 7, 32801),
};

constexpr std::array kLabels4{
    "For each child going to school",
    "Single parent or Nuclear family household",
    "Other household types",
    "Interactions not explicitly implemented and no joint discretionary activities for children",
    "Determine total number of pick-up/drop-off episodes to be undertaken to escort all children to/from school",
    "Multiple pick-up and/or drop-off episodes needed",
    "Only one pick-up and/or drop-off episode needed",
    "Single parent household",
    "Nuclear family household",
    "Pick-ip and/or drop-off episode allocated to the single parent",
    "Adjust work start and end times if the episode is allocated to a worker",
    "Interactions not explicitly implemented",
};
constexpr std::array kBoxes4{
    Edit(1053, "Mode to School (GA10)", 4, 0, 32802),
    Edit(1054, "Mode from School (GA11)", 4, 1, 32803),
    Edit(1055, "Allocation of the Drop-off Episode (if any) to One of the Parents (GA12)", 4, 2, 32804),
    Edit(1056, "Allocation of the Pick-up Episode (if any) to One of the Parents (GA13)", 4, 3, 32805),
};

constexpr std::array kLabels5{"5 or less member household", "5+ Households", "For each adult"};
constexpr std::array kBoxes5{
    Edit(1059, "Decision to Undertake Other Serve-Passenger Activities (GA22)", 5, 0, 172),
    Edit(1060, "Decision to Undertake Activities (MDCEV)", 5, 1, 32946),
    Edit(1061, "Decision to Undertake Acivities (MDCEV2)", 5, 2, 32949),
};

constexpr std::array kLabels6{
    "For each worker in the household",
    "For each child not escorted by parents",
    "For each worker undertaking independent non-work activities",
    "For each non-worker undertaking independent non-work activities",
    "For each child undertaking independent activities",
    "For joint activity tours undertaken by household",
};
constexpr std::array kBoxes6{
    Open(1053, "Work to Home Commute", 7, 0, 7),
    Open(1054, "Home to Work Commute", 7, 1, 8),
    Open(1055, "Nonworker Tour Containing the Drop-off at School Activity", 8, 2, 9),
    Open(1056, "Nonworker Tour Containing the Pick-up at School Activity", 8, 3, 10),
    Open(1057, "School-Home and Home-School Commutes", 9, 4, 11),
    Open(1060, "Independent Home-based and Work-based Tours", 7, 5, 14),
    Open(1061, "Independent Home-based Tours", 8, 6, 18),
    Open(1062, "Independent Home-based Tours Undertaken by Children", 9, 7, 20),
    Open(1063, "Joint Activity tours", 9, 8, 24),
};

constexpr std::array kLabels7{
    "If worker does not escort children to/from home",
    "If worker undertakes independent non-work activities OR commute mode is other than transit and walk/bike",
    "If there are one or more stops in the commute, for each stop i",
    "If there are no pick-up activities:",
};
constexpr std::array kBoxes7{
    Edit(1053, "Commute Mode (WSCH1)", 7, 0, 32820),
    Edit(1054, "Number of Stops in the Work to Home Commute (WSCH2)", 7, 1, 32821),
    Edit(1055, "Activity Type for the 'i'th Stop (WSCH10)", 7, 2, 32880),
    Edit(1056, "Activity Duration for the 'i'th Stop (WSCH11)", 7, 3, 32885),
    Edit(1057, "Travel Time to the 'i'th Stop (WSCH12)", 7, 4, 32890),
    Edit(1058, "Location of the 'i'th Stop (WSCH13)", 7, 5, 32895),
};

constexpr std::array kLabels8{
    "If worker undertakes independent non-work activities OR commute mode is other than transit and walk/bike",
    "If there are one or more stops in the commute, for each stop i",
    "If there are no drop-off activities:",
};
constexpr std::array kBoxes8{
    Edit(1053, "Number of Stops in the Home to Work Commute (WSCH3)", 7, 0, 32823),
    Edit(1054, "Activity Type for the 'i'th Stop (WSCH10a)", 7, 1, 32881),
    Edit(1055, "Activity Duration for the 'i'th Stop (WSCH11a)", 7, 2, 32886),
    Edit(1056, "Travel Time to the 'i'th Stop (WSCH12a)", 7, 3, 32942),
    Edit(1057, "Location of the 'i'th Stop (WSCH13a)", 7, 4, 32896),
};

constexpr std::array kLabels9{
    "If nonworker undertakes independent non-work activities",
    "If there are one or more stops in the tour, for each stop i",
};
// The drop-off tour has no models of its own: its boxes do nothing.
constexpr std::array kBoxes9{
    Nothing(1053, "Number of Additional Stops in the Tour (NWSCH6)", 8, 4),
    Nothing(1054, "Activity Type for the 'i'th Stop (NWSCH8)", 8, 1),
    Nothing(1055, "Activity Duration for the 'i'th Stop (NWSCH9)", 8, 0),
    Nothing(1056, "Travel Time to the 'i'th Stop (NWSCH10)", 8, 2),
    Nothing(1057, "Location of the 'i'th Stop (NWSCH11)", 8, 3),
};

constexpr std::array kBoxes10{
    Edit(1053, "Number of Additional Stops in the Tour (NWSCH6a)", 8, 0, 32927),
    EditTours(1054, "Activity Type for the 'i'th Stop (NWSCH8a)", 8, 1, 32868),
    EditTours(1055, "Activity Duration for the 'i'th Stop (NWSCH9a)", 8, 4, 32872),
    EditTours(1056, "Travel Time to the 'i'th Stop (NWSCH10a)", 8, 2, 32876),
    EditTours(1057, "Location of the 'i'th Stop (NWSCH11a)", 8, 3, 32916),
};

constexpr std::array kBoxes11{
    Edit(1053, "School to Home Commute Duration (CSCH1)", 9, 0, 32813),
    Edit(1054, "Home to School Commute Duration (CSCH2)", 9, 1, 32814),
};

// Charts 12 and 13 are opened by no box.
constexpr std::array kBoxes12{
    Edit(1053, "Departure Time for the Tour (JNTSCH1)", 7, 0, 32929),
    Edit(1054, "Activity Duration at Stop (JNTSCH2)", 7, 1, 32931),
    Edit(1055, "Travel Time to Stop (JNTSCH3)", 7, 2, 32933),
    Edit(1056, "Location of Stop (JNTSCH4)", 7, 3, 32935),
};
constexpr std::array kBoxes13{
    Edit(1053, "Departure Time for the Tour (JNTSCH1a)", 8, 0, 32930),
    Edit(1054, "Activity Duration at Stop (JNTSCH2a)", 8, 1, 32932),
    Edit(1055, "Travel Time to Stop (JNTSCH3a)", 8, 2, 32934),
    Edit(1056, "Location of Stop (JNTSCH4a)", 8, 3, 32936),
};

constexpr std::array kLabels14{
    ">=1 after work tours", "0 after work tours", ">=1 work-based tours", "0 work-based tours",
    ">=1 before work tours",
};
constexpr std::array kBoxes14{
    Edit(1053, "Number of After Work Tours (WSCH4)", 7, 0, 32825),
    Open(1054, "Schedule the After Work Tours", 7, 1, 15),
    Edit(1055, "Number of Work-based Tours (WSCH5)", 7, 2, 32826),
    Open(1056, "Schedule the Work-based Tours", 7, 3, 16),
    Edit(1057, "Number of Before Work Tours (WSCH6)", 7, 4, 32827),
    Open(1058, "Schedule the Before Work Tours", 7, 5, 17),
};

constexpr std::array kLabels15{"For each after-work tour j", "For each stop i  in the after-work tour"};
constexpr std::array kBoxes15{
    Edit(1053, "Mode for the After-Work Tour (WSCH7)", 7, 0, 32854),
    Edit(1054, "Number of Stops in After-Work Tour (WSCH8)", 7, 1, 32829),
    Edit(1055, "Home Stay Duration Before the After-Work Tour (WSCH9)", 7, 2, 32864),
    Edit(1056, "Activity Type for the 'i'th Stop (WSCH10b)", 7, 3, 32884),
    Edit(1057, "Activity Duration for the 'i'th Stop (WSCH11b)", 7, 4, 32889),
    Edit(1058, "Travel Time to the 'i'th Stop (WSCH12b)", 7, 5, 32894),
    Edit(1059, "Location of the 'i'th Stop (WSCH13b)", 7, 6, 32899),
};

constexpr std::array kLabels16{"For each work-based tour j", "For each stop i  in the work-based tour"};
constexpr std::array kBoxes16{
    Edit(1053, "Mode for the Work-based Tour (WSCH7a)", 7, 0, 32853),
    Edit(1054, "Number of Stops in the Work-based Tour (WSCH8a)", 7, 1, 32856),
    Edit(1055, "Work Stay Duration Before the Work-based Tour (WSCH9a)", 7, 2, 32941),
    Edit(1056, "Activity Type for the 'i'th Stop (WSCH10c)", 7, 3, 32883),
    Edit(1057, "Activity Duration for the 'i'th Stop (WSCH11c)", 7, 4, 32888),
    Edit(1058, "Travel Time to the 'i'th Stop (WSCH12c)", 7, 5, 32893),
    Edit(1059, "Location of the 'i'th Stop (WSCH13c)", 7, 6, 32898),
};

constexpr std::array kLabels17{"For each before-work tour j", "For each stop i  in the before-work tour"};
constexpr std::array kBoxes17{
    Edit(1053, "Mode for the Before-Work Tour (WSCH7b)", 7, 0, 32828),
    Edit(1054, "Number of Stops in the Before-Work Tour (WSCH8b)", 7, 1, 32855),
    Edit(1055, "Home Stay Duration Before the Before-Work Tour (WSCH9b)", 7, 2, 32862),
    Edit(1056, "Activity Type for the 'i'th Stop (WSCH10d)", 7, 3, 32882),
    Edit(1057, "Activity Duration for the 'i'th Stop (WSCH11d)", 7, 4, 32887),
    Edit(1058, "Travel Time to the 'i'th Stop (WSCH12d)", 7, 5, 32892),
    Edit(1059, "Location of the 'i'th Stop (WSCH13d)", 7, 6, 32897),
};

constexpr std::array kLabels18{
    "Nonworker does not undertake either pick-up activity or joint activity",
    "Nonworker undertakes either pick-up activity or joint activity",
    "Yes", "No", "Yes",
};
constexpr std::array kBoxes18{
    Edit(1053, "Number of tours (NWSCH1)", 8, 0, 32836),
    Edit(1054, "Decision to Undertake a Tour Before Pick-up or Joint Activity Tour (NWSCH2)", 8, 1, 32837),
    Edit(1055, "Decision to Undertake a Tour After Pick-up or Joint Activity Tour (NWSCH3)", 8, 2, 32838),
    Open(1056, "Schedule the Tour(s)", 8, 3, 19),
};

constexpr std::array kLabels19{"For each tour j", "For each stop i  in the tour"};
constexpr std::array kBoxes19{
    EditTours(1053, "Mode for the Tour (NWSCH4)", 8, 0, 32900),
    EditTours(1054, "Number of Stops in the Tour (NWSCH5)", 8, 1, 32904),
    EditTours(1055, "Home Stay Duration Before the Tour (NWSCH7)", 8, 2, 32912),
    EditTours(1056, "Activity Type for the 'i'th Stop (NWSCH8b)", 8, 3, 32868),
    EditTours(1057, "Activity Duration for the 'i'th Stop (NWSCH9b)", 8, 4, 32872),
    EditTours(1058, "Travel Time to the 'i'th Stop (NWSCH10b)", 8, 5, 32876),
    EditTours(1059, "Location of the 'i'th Stop (NWSCH11b)", 8, 6, 32916),
};

constexpr std::array kBoxes20{
    Edit(1053, "Tour Mode (CSCH3)", 9, 3, 32815),
    Edit(1054, "Departure Time for the Tour (CSCH4)", 9, 0, 32816),
    Edit(1055, "Activity Duration at Stop (CSCH5)", 9, 1, 32817),
    Edit(1056, "Travel Time to Stop (CSCH6)", 9, 2, 32818),
    Edit(1057, "Location of Stop (CSCH7)", 9, 4, 32819),
};

constexpr std::array kBoxes23{
    Edit(1053, "Annual Mileage Model", 5, 0, 32951),
    Edit(1054, "Vehicle Type Model", 5, 1, 32952),
    Edit(1055, "Vehicle Make Model", 5, 2, 32953),
    Edit(1056, "Primary Driver Model", 5, 3, 32954),
};

constexpr std::array kBoxes24{
    Edit(1053, "Join or Seperate Travel modl", 9, 3, 32955),
    Edit(1054, "Joint Activity Start Time", 9, 0, 32956),
    Edit(1055, "Joint Activity Travel time to Stop", 9, 1, 32957),
    Edit(1056, "Joint Activity Location", 9, 2, 32852),
    Edit(1057, "Joint Activity Vehicle used", 9, 4, 32960),
};

const std::array kCharts{
    SFlowChart{1, 260, "Tolvar: Overall Modeling Framework", 411, 217, "Close", false, kNoLabels, kBoxes1},
    SFlowChart{2, 261, "Tolvar: Generation-Allocation Model System", 331, 211, "Close", false, kNoLabels, kBoxes2},
    SFlowChart{3, 262, "Tolvar: Generation & Timing of Work and School Activities of Adults and Children", 399, 338,
               "Close", false, kLabels3, kBoxes3},
    SFlowChart{4, 263,
               "Tolvar: Genration of Children's Travel Needs and Allocation of Responsibilities to Parents", 485,
               415, "Close", false, kLabels4, kBoxes4},
    SFlowChart{5, 264,
               "Tolvar: Generation of Independent Activities by Adults and Children for Personal and Household "
               "Serving Needs",
               521, 279, "Close", false, kLabels5, kBoxes5},
    SFlowChart{6, 265, "Tolvarr: Scheduling Model System", 366, 405, "Close", false, kLabels6, kBoxes6},
    SFlowChart{7, 267, "Tolvar: Scheduling of Work to Home Commute for Worker", 338, 309, "Close", false, kLabels7,
               kBoxes7},
    SFlowChart{8, 268, "Tolvar: Scheduling of the Home to Work Commute for a Worker", 335, 288, "Close", false,
               kLabels8, kBoxes8},
    SFlowChart{9, 266, "Tolvar: Scheduling of the Tour Containing the Drop-off Activity for a Nonworker", 393, 268,
               "Close", false, kLabels9, kBoxes9},
    SFlowChart{10, 269, "Tolvar: Scheduling of the Tour Containing the Pick-up Activity for a Nonworker", 390, 262,
               "Close", false, kLabels9, kBoxes10},
    SFlowChart{11, 305,
               "Tolvar: Scheduling of the Home-School-Home Commutes for all Children not Escorted to School OR "
               "Escort not Explicitly Modeled",
               467, 125, "Close", false, kNoLabels, kBoxes11},
    SFlowChart{12, 306, "Tolvar: Scheduling of the Joint Discretionary Tour Undertaken by a Worker with Children",
               429, 174, "Close", false, kNoLabels, kBoxes12},
    SFlowChart{13, 307, "Tolvar: Scheduling of the Joint Discretionary Tour Undertaken by a Nonworker with Children",
               446, 173, "OK", false, kNoLabels, kBoxes13},
    SFlowChart{14, 308,
               "Tolvar: Scheduling the Independent Home-based & Work-based Tours for Workers who also Undertake "
               "Independent Non-work Activities",
               410, 264, "Close", false, kLabels14, kBoxes14},
    SFlowChart{15, 309, "Tolvar: Scheduling the Independent After-Work Tours for a Worker", 355, 281, "Close", false,
               kLabels15, kBoxes15},
    SFlowChart{16, 310, "Tolvar: Scheduling the Independent Work-based Tour for a Worker", 378, 304, "Close", false,
               kLabels16, kBoxes16},
    SFlowChart{17, 311, "Tolvar: Scheduling the Independent Before-Work Tours for a Worker", 375, 287, "Close", false,
               kLabels17, kBoxes17},
    SFlowChart{18, 312, "Tolvar: Scheduling Independent Tours for Nonworkers", 466, 213, "Close", false, kLabels18,
               kBoxes18},
    SFlowChart{19, 313, "Tolvar: Scheduling an Independent Tour for a Nonworker", 375, 285, "Close", false,
               kLabels19, kBoxes19},
    SFlowChart{20, 314, "Tolvar: Scheduling the Independent Discretionary Tour Undertaken by a Child", 375, 240,
               "Close", false, kNoLabels, kBoxes20},
    SFlowChart{23, 317, "Dialog", 376, 237, "OK", false, kNoLabels, kBoxes23},
    SFlowChart{24, 318, "Tolvar: Joint activity Models", 367, 282, "OK", true, kNoLabels, kBoxes24},
};

constexpr std::array kFamilies{
    SColourFamily{1, 0x3D8538, 0x3D8538, 0x8BCC88},
    SColourFamily{2, 0x3855B6, 0x3855B6, 0x7D92D7},
    SColourFamily{3, 0x41554F, 0x387896, 0x96925F},
    SColourFamily{4, 0x0CCBAA, 0x0CCBAA, 0x49F5D8},
    SColourFamily{5, 0x21A352, 0x21A352, 0x78E4A0},
    SColourFamily{6, 0x0DF747, 0x0DF747, 0x9AFCB3},
    SColourFamily{7, 0x1B3DC5, 0x1B3DC5, 0x647EEA},
    SColourFamily{8, 0x8B41AB, 0x8B41AB, 0x5A8BD3},
    SColourFamily{9, 0xC203C2, 0xC203C2, 0xFD80FD},
};

}  // namespace

namespace FlowChartTable {

std::span<const SFlowChart> Charts() { return kCharts; }

const SFlowChart* FindChart(int number) {
    for (const SFlowChart& chart : kCharts)
        if (chart.number == number) return &chart;
    return nullptr;
}

const SColourFamily* FindFamily(int family) {
    for (const SColourFamily& row : kFamilies)
        if (row.family == family) return &row;
    return nullptr;
}

}  // namespace FlowChartTable
