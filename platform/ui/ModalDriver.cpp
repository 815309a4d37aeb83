// The installed modal driver.
#include "platform/ui/ModalDriver.h"

namespace ui {

namespace {
ModalDriver* g_driver = nullptr;
}

ModalDriver* SetModalDriver(ModalDriver* driver)
{
    ModalDriver* previous = g_driver;
    g_driver = driver;
    return previous;
}

ModalDriver* GetModalDriver()
{
    return g_driver;
}

} // namespace ui
