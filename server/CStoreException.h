// The request store's travelling error: what failed and SQLite's own words for it.
#pragma once

#include <string>

#include "platform/core/CException.h"

class CStoreException : public CException
{
public:
    explicit CStoreException(std::string message) : m_message(std::move(message)) {}
    std::string GetErrorMessage() const override { return m_message; }

private:
    std::string m_message;
};
