// libcurl underneath the tests' HTTP requests.
#include "tests/server/HttpClient.h"

#include <curl/curl.h>

#include "platform/inet/RequestTarget.h"

namespace {

size_t Collect(char* data, size_t size, size_t count, void* into)
{
    static_cast<std::string*>(into)->append(data, size * count);
    return size * count;
}

} // namespace

HttpClient::HttpClient(int port)
    : m_curl(curl_easy_init()), m_base("http://127.0.0.1:" + std::to_string(port))
{
}

HttpClient::~HttpClient()
{
    curl_easy_cleanup(static_cast<CURL*>(m_curl));
}

HttpReply HttpClient::Get(const std::string& target)
{
    CURL* curl = static_cast<CURL*>(m_curl);
    HttpReply reply;
    curl_easy_setopt(curl, CURLOPT_URL, (m_base + "/").c_str());
    curl_easy_setopt(curl, CURLOPT_REQUEST_TARGET, target.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply.body);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 60L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    const CURLcode rc = curl_easy_perform(curl);
    reply.ok = rc == CURLE_OK;
    reply.error = curl_easy_strerror(rc);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
    return reply;
}

HttpReply HttpClient::Service(const std::string& envelope)
{
    return Get(
        inet::EncodeRequestTarget("/olvwebservice/default.asmx/ProcessReq?clientXMLString=" + envelope));
}

HttpReply HttpClient::Download(const std::string& url)
{
    const size_t first = url.find('/');
    const size_t second = first == std::string::npos ? first : url.find('/', first + 1);
    const size_t objectStart = (second == std::string::npos ? first : second) + 1;
    return Get(inet::EncodeRequestTarget("/" + url.substr(objectStart)));
}
