// Every message text and caption the web service client shows, each in one place.
#pragma once

namespace service {

// Captions. A box without one of these carries the application's name.
inline constexpr const char kCaptionConnectionProblem[] = "Connection Problem";
inline constexpr const char kCaptionServiceProblem[] = "OLV Web Service Problem";

// The transport; "%u" is the internet error code or the HTTP status, as an unsigned decimal.
inline constexpr const char kConnectFailed[] =
    "Could not get connection to OLV Web Server.  Check your high speed or dial up connection. Error: #%u.";
inline constexpr const char kOpenRequestFailed[] =
    "Could not open request to OLV Web Server.  Try again later. Error: #%u.";
inline constexpr const char kAuthenticatedSendFailed[] =
    "Could not send request to OLV Web Server(1).  Check your high speed or dial up connection. Error: #%u.";
inline constexpr const char kProxiedSendFailed[] =
    "Could not send request to OLV Web Server(2).  Check your high speed or dial up connection. Error: #%u.";
inline constexpr const char kDirectSendFailed[] =
    "Could not send request to OLV Web Server(3).  Check your high speed or dial up connection. Error: #%u.";
inline constexpr const char kProxyUserRefused[] = "Failed to set proxy user name.";
inline constexpr const char kProxyPasswordRefused[] = "Failed to set proxy user password.";
inline constexpr const char kProxyRejected[] =
    "Your Proxy server is unable to authenticate you. Please check that your username and password are "
    "correct, and attempt the connection again or contact your technical support.";
inline constexpr const char kWebProcessingError[] = "Web Processing Error #%u.";
inline constexpr const char kRedirectWithoutLocation[] = "Error: Site redirects with no new location";

// The reply.
inline constexpr const char kNothingReturned[] = "Error: Nothing returned from server.";

// The download; composed for the caller, not shown.
inline constexpr const char kDownloadError[] = "Download Error: #%u.";

// The request-new-name exchange.
inline constexpr const char kSendingRequestNotice[] = "Sending request, please wait...";

// The proxy login dialog.
inline constexpr const char kEnterPassword[] = "Please enter a password.";
inline constexpr const char kEnterUsername[] = "Please enter a username.";
inline constexpr const char kPasswordTooLong[] =
    "The password is longer than 255 characters. Please enter a shorter one.";
inline constexpr const char kUsernameTooLong[] =
    "The username is longer than 255 characters. Please enter a shorter one.";

// XmlValue's results that are not element contents.
inline constexpr const char kValueNotFound[] = "Value not found.";
inline constexpr const char kInvalidOperation[] = "Invalid Operation";

} // namespace service
