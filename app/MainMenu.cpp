#include "app/MainMenu.h"

#include "app/CommandIds.h"
#include "app/ModelEditCommands.h"

#include <array>

namespace MainMenu {
namespace {

constexpr SMenuEntry Popup(const char* text) { return {EEntry::kPopup, 0, text}; }
constexpr SMenuEntry End() { return {EEntry::kEnd, 0, nullptr}; }
constexpr SMenuEntry Item(int id, const char* text = nullptr) { return {EEntry::kItem, id, text}; }
constexpr SMenuEntry Separator() { return {EEntry::kSeparator, 0, nullptr}; }

constexpr std::array kEntries = {
    Popup("Data"),
        Item(CommandIds::kDataInput, "Input..."),
        Item(CommandIds::kDataOutput, "Output..."),
        Separator(),
        Item(CommandIds::kAppExit, "Exit"),
    End(),
    Popup("Models"),
        Item(CommandIds::kModelsLoad, "Load..."),
        Item(CommandIds::kModelsSave, "Save..."),
        Separator(),
        Popup("Vehicle Fleet "),
            Item(32951), Item(32952), Item(32953), Item(32954),
        End(),
        Popup("Generation Allocation"),
            Popup("Work and School Activities"),
                Item(32779), Item(32780), Item(32781), Item(32796), Item(32797), Item(32799), Item(32800),
                Item(32801),
            End(),
            Popup("Children's Activities"),
                Item(32802), Item(32803), Item(32804), Item(32805),
            End(),
            Popup("Non Work Activities"),
                Item(32944), Item(32945), Item(32946), Item(32949), Item(32948),
            End(),
        End(),
        Popup("Scheduling - Children"),
            Item(32813), Item(32814),
            Separator(),
            Item(32815), Item(32816), Item(32817), Item(32818), Item(32819),
        End(),
        Popup("Scheduling - Worker"),
            Item(32820), Item(32821), Item(32823),
            Separator(),
            Popup("Number of Tours (WSCH 4,5,6)"), Item(32825), Item(32826), Item(32827), End(),
            Popup("Tour Mode (WSCH7)"), Item(32854), Item(32853), Item(32828), End(),
            Popup("Number of Stops in Tour (WSCH8)"), Item(32829), Item(32856), Item(32855), End(),
            Popup("Home Stay/Work Stay Duration before Tour (WSCH9)"), Item(32864), Item(32941), Item(32862), End(),
            Separator(),
            Popup("Activity Type at Stop (WSCH10)"),
                Item(32880), Item(32881), Item(32882), Item(32883), Item(32884),
            End(),
            Popup("Activity Duration at Stop (WSCH11)"),
                Item(32885), Item(32886), Item(32887), Item(32888), Item(32889),
            End(),
            Popup("Travel Time to Stop (WSCH12)"),
                Item(32890), Item(32942), Item(32892), Item(32893), Item(32894),
            End(),
            Popup("Stop Location (WSCH13)"),
                Item(32895), Item(32896), Item(32897), Item(32898), Item(32899),
            End(),
        End(),
        Popup("Scheduling - Non Worker"),
            Item(32836), Item(32837), Item(32838),
            Separator(),
            Popup("Tour mode (NWSCH4)"), Item(32900), Item(32901), Item(32902), Item(32903), End(),
            Popup("Number of stops in a tour (NWSCH5)"), Item(32904), Item(32905), Item(32906), Item(32907), End(),
            Popup("Number of stops following a pick-up/drop off stop in a tour (NWSCH6)"),
                Item(32927), Item(32928),
            End(),
            Popup("Home stay duration before the tour (NWSCH7)"),
                Item(32912), Item(32913), Item(32914), Item(32915),
            End(),
            Separator(),
            Popup("Activity type at stop (NWSCH8)"), Item(32868), Item(32869), Item(32870), Item(32871), End(),
            Popup("Activity duration at stop (NWSCH9)"), Item(32872), Item(32873), Item(32874), Item(32875), End(),
            Popup("Travel time to stop (NWSCH10)"), Item(32876), Item(32877), Item(32878), Item(32879), End(),
            Popup("Stop location (NWSCH11)"), Item(32916), Item(32917), Item(32918), Item(32919), End(),
        End(),
        Popup("Scheduling - Joint"),
            Item(32955), Item(32956), Item(32957), Item(32959), Item(32960),
        End(),
        Separator(),
        Item(CommandIds::kInteractiveUI, "Interactive UI"),
    End(),
    Popup("Simulation"),
        Item(CommandIds::kSimulationRun, "Run"),
    End(),
    Popup("&Help"),
        Item(CommandIds::kAppAbout, "&About Tolvar..."),
    End(),
};

}  // namespace

std::span<const SMenuEntry> Entries() { return kEntries; }

const char* ItemText(const SMenuEntry& entry) {
    if (entry.text) return entry.text;
    const ModelEditCommands::SModelEditCommand* command = ModelEditCommands::Find(entry.commandId);
    return command ? command->menuText : "";
}

}  // namespace MainMenu
