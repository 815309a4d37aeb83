// The error raised by the internet layer, carrying a numeric internet error code.
#pragma once

#include <string>

#include "platform/core/CException.h"
#include "platform/inet/InternetTypes.h"

class CInternetException : public CException
{
public:
    explicit CInternetException(DWORD error) : m_dwError(error) {}

    std::string GetErrorMessage() const override;

    DWORD m_dwError;
};
