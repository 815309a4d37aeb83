// The parts of a request that are the same on both systems: options, body reads, closing.
#include "platform/inet/CHttpFile.h"

#include <cstring>

#include "platform/inet/detail/BodyReading.h"
#include "platform/inet/detail/InetBackend.h"

bool CHttpFile::SetOption(DWORD option, const void* value, DWORD length)
{
    inet::RequestState& state = State();
    if (state.closed || !value)
        return false;
    if (option == INTERNET_OPTION_RECEIVE_TIMEOUT) {
        if (length != sizeof(DWORD))
            return false;
        std::memcpy(&state.settings.receiveTimeoutMs, value, sizeof(DWORD));
        return true;
    }
    if (option != INTERNET_OPTION_PROXY_USERNAME && option != INTERNET_OPTION_PROXY_PASSWORD)
        return false;
    const char* text = static_cast<const char*>(value);
    const std::string credential(text, strnlen(text, length));
    if (!inet::IsCarriableProxyCredential(credential, option == INTERNET_OPTION_PROXY_USERNAME))
        return false;
    if (option == INTERNET_OPTION_PROXY_USERNAME) {
        state.proxyUser = credential;
        state.haveProxyUser = true;
    } else {
        state.proxyPassword = credential;
        state.haveProxyPassword = true;
    }
    return true;
}

bool CHttpFile::ReadString(std::string& line)
{
    inet::RequestState& state = State();
    return inet::ReadBodyLine(
        state.body, state.bodyPos, [&state] { return state.Fill(); }, line);
}

UINT CHttpFile::Read(void* buffer, UINT count)
{
    inet::RequestState& state = State();
    return inet::ReadBodyBlock(
        state.body, state.bodyPos, [&state] { return state.Fill(); }, buffer, count);
}

void CHttpFile::Close()
{
    State().Release();
    State().closed = true;
}

const std::string& CHttpFile::GetUrl() const
{
    return State().url;
}
