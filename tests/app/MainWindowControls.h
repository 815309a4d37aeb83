// The main window's controls as template 102 lays them out, with their first captions and states.
#pragma once

#include "res/resource.h"

struct ControlRow
{
    int id;
    const char* caption;
    int x, y, cx, cy; // dialog units
    bool enabled;
};

inline constexpr ControlRow kMainWindowControls[] = {
    ControlRow{IDCANCEL, "Close", 315, 313, 50, 14, true},
    ControlRow{IDC_SCENARIO_WEB, "Install names to the Velmora on this web-connected computer.", 47, 30, 220,
               10, true},
    ControlRow{IDC_SCENARIO_OFFLINE, "Install names to the Velmora on a non web-connected computer.", 47, 42,
               227, 10, true},
    ControlRow{IDC_INSTRUCTIONS, "Instructions", 283, 33, 50, 14, true},
    ControlRow{IDC_SEARCH_TEXT, "", 167, 83, 172, 14, false},
    ControlRow{IDC_NAME_LIST, "", 14, 123, 343, 91, false},
    ControlRow{IDC_BROWSE_SAVE, "Browse", 88, 240, 50, 14, false},
    ControlRow{IDC_DOWNLOAD_SAVE, "Download and Save Name", 147, 240, 132, 14, false},
    ControlRow{IDC_BROWSE_VELMORA, "Browse", 88, 272, 50, 14, false},
    ControlRow{IDC_INSTALL, "Install Saved Names", 147, 272, 132, 14, false},
    ControlRow{IDC_REQUEST_NEW_NAME, "Request New Name", 7, 313, 80, 14, false},
    ControlRow{IDC_SAVE_LOCATION, "", 14, 256, 344, 14, false},
    ControlRow{IDC_VELMORA_LOCATION, "", 14, 288, 344, 14, false},
    ControlRow{IDC_VELMORA_LOCATION_LABEL, "Velmora Location:", 15, 275, 66, 8, false},
    ControlRow{IDC_SAVE_LOCATION_LABEL, "Name Save Location:", 15, 243, 70, 8, false},
    ControlRow{IDC_CHOOSE_PROMPT, "Please choose an option below:", 36, 20, 102, 8, true},
    ControlRow{IDC_LISTEN, "Listen to Downloaded Name", 96, 313, 105, 14, false}};
