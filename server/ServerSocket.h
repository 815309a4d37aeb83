// The host socket calls of the service's connections, in one place.
#pragma once

#include <cstddef>
#include <string>

#include <sys/types.h>

// Every call takes the connection socket the HTTP library accepted. None throws; failures come back
// as the values each names, and an interrupted call is retried. Safe from any worker thread, each on
// its own socket.
namespace serversocket {

// Small replies leave at once instead of waiting for the peer's delayed acknowledgement.
void SetNoDelay(int sock);
// Ends both directions and releases the socket.
void ShutdownAndClose(int sock);
// True when the socket became readable (or writable) within timeoutMs; false on time-out or error.
bool WaitReadable(int sock, int timeoutMs);
bool WaitWritable(int sock, int timeoutMs);
// Bytes received (0 at the peer's end), or -1.
ssize_t Receive(int sock, char* buffer, size_t size);
// Bytes sent, or -1; a peer that has gone raises no signal.
ssize_t Send(int sock, const char* buffer, size_t size);
// The numeric address and port of the peer or of our end; ip and port stay unchanged on failure.
void Address(int sock, bool peer, std::string& ip, int& port);

} // namespace serversocket
