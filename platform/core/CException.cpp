// Out-of-line destructor so the vtable lives in one object file.
#include "platform/core/CException.h"

CException::~CException() = default;
