// Why a package could not be published.
#pragma once

#include <string>

#include "platform/core/CException.h"

class CPublishException : public CException
{
public:
    explicit CPublishException(std::string message) : m_message(std::move(message)) {}
    std::string GetErrorMessage() const override { return m_message; }

private:
    std::string m_message;
};
