// The instructions box's two texts, character for character.
#pragma once

inline constexpr const char* kWebText =
    "\n\n\n\n"
    "            Locate the name you would like to install from the names\n"
    "            list, then click the \"Download and Install Name\" button.";

inline constexpr const char* kOfflineText =
    "1) On a web connected computer, select the name that you need to download from the names list and click "
    "the "
    "\"Download and Save Name\" button.\n\n2) Once you have downloaded all of the names you need, copy this "
    "program, "
    "along with the \"VMRNames.zip\" file, to a floppy disk.  \n\n3) Take the floppy disk to the computer "
    "that has the "
    "Velmora, and run this program again.\n\n4) Click the \"Install Saved Name\" button and select the "
    "\"VMRNames.zip\" file to install the name files.";
