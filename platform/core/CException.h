// The root of every error that travels as an exception through the program.
#pragma once

#include <string>

// Thrown by value, caught by reference. The dialog layer's command dispatcher reports any
// CException that escapes a handler in a message box with GetErrorMessage() as its text.
class CException
{
public:
    virtual ~CException();

    // The text a person reads in the box; never empty.
    virtual std::string GetErrorMessage() const = 0;

protected:
    CException() = default;
    CException(const CException&) = default;
    CException& operator=(const CException&) = default;
};
