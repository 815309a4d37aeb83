// The seam through which the name commands talk to the user: the service client's, and a file picker.
#pragma once

#include <string>

#include "service/ServiceUi.h"

namespace namelist {

// The main window implements it with its boxes, notice and pickers; a console front end with its
// terminal; tests to record and answer.
class INamesUi : public service::IServiceUi
{
public:
    // Asks which transfer archive VMRNames.zip to install, starting in initialFolder; its path, or ""
    // when the user gave none.
    virtual std::string PickSavedArchive(const std::string& initialFolder) = 0;
};

} // namespace namelist
