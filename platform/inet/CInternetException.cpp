// Texts of internet errors come from the layer's error table.
#include "platform/inet/CInternetException.h"

#include "platform/inet/InternetErrors.h"

std::string CInternetException::GetErrorMessage() const
{
    return inet::DescribeError(m_dwError);
}
