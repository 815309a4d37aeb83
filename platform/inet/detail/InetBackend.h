// What inet/linux/ and inet/windows/ must each define: the internet layer's backend contract (internal).
#pragma once

#include "platform/inet/CHttpFile.h"
#include "platform/inet/detail/RequestState.h"

// Sessions, connections, option checks, body reads, proxy lists and error texts are shared; a backend
// carries the exchange itself. Members of CHttpFile each backend defines:
//   CHttpFile::Impl                 derives from inet::RequestState and adds the system's transfer; its
//                                   Fill receives more of the body, its Release lets go of the transfer
//   CHttpFile::CHttpFile, ~CHttpFile   make the Impl from the session's settings, verb, URL and flags
//   CHttpFile::State                the Impl seen as the shared inet::RequestState
//   CHttpFile::SendRequest          starts an exchange (again) and returns once the headers are in
//   CHttpFile::QueryInfoStatusCode  the status of the last send
//   CHttpFile::QueryInfo            the raw headers or the status as text
// Every failure of the exchange raises CInternetException with an internet error code (WinDefs.h).
