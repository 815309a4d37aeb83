// A libcurl client for the tests: request targets sent exactly as given, one connection reused.
#pragma once

#include <string>

struct HttpReply
{
    bool ok = false; // a complete HTTP reply arrived
    long status = 0;
    std::string body;
    std::string error;
};

class HttpClient
{
public:
    explicit HttpClient(int port);
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // GET with target as the request target, byte for byte.
    HttpReply Get(const std::string& target);

    // The service call the program makes: the envelope appended to the request path and the
    // target encoded the way the program's transport encodes it.
    HttpReply Service(const std::string& envelope);

    // The object of a package address (host, a dropped segment, the object path) fetched the
    // way the program's download does.
    HttpReply Download(const std::string& url);

private:
    void* m_curl;
    std::string m_base;
};
