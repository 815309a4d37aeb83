// The request on libcurl's multi interface: the transfer advances only while the caller waits for it.
#include "platform/inet/CHttpFile.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <optional>

#include "platform/inet/detail/InetBackend.h"
#include "platform/inet/CInternetException.h"
#include "platform/inet/InternetErrors.h"
#include "platform/inet/linux/CurlErrors.h"

namespace {

using Clock = std::chrono::steady_clock;

void GlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    const std::size_t n = std::strlen(prefix);
    return text.size() >= n && strncasecmp(text.c_str(), prefix, n) == 0;
}

bool IsFollowedRedirect(long status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

} // namespace

struct CHttpFile::Impl : inet::RequestState
{

    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    curl_slist* headerList = nullptr;
    bool attached = false;

    // State of the current exchange.
    bool sent = false;
    bool headersDone = false;
    bool complete = false;
    bool paused = false;
    CURLcode result = CURLE_OK;
    std::string blockHeaders; // header block being received
    bool blockHasLocation = false;
    std::string rawHeaders; // last complete header block
    Clock::time_point lastActivity;
    char errorText[CURL_ERROR_SIZE] = {};

    ~Impl() { Release(); }

    void Touch() { lastActivity = Clock::now(); }

    void Release() override
    {
        if (easy && multi && attached)
            curl_multi_remove_handle(multi, easy);
        attached = false;
        if (easy)
            curl_easy_cleanup(easy);
        easy = nullptr;
        if (multi)
            curl_multi_cleanup(multi);
        multi = nullptr;
        if (headerList)
            curl_slist_free_all(headerList);
        headerList = nullptr;
    }

    static size_t OnHeader(char* data, size_t size, size_t count, void* user)
    {
        auto* self = static_cast<Impl*>(user);
        const std::size_t length = size * count;
        self->Touch();
        std::string line(data, length);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line.compare(0, 5, "HTTP/") == 0) {
            self->blockHeaders.clear();
            self->blockHasLocation = false;
        }
        if (!line.empty()) {
            self->blockHeaders += line + "\r\n";
            if (StartsWithNoCase(line, "location:"))
                self->blockHasLocation = true;
            return length;
        }
        self->rawHeaders = self->blockHeaders + "\r\n";
        long status = 0;
        curl_easy_getinfo(self->easy, CURLINFO_RESPONSE_CODE, &status);
        // 1xx blocks precede the real answer; a redirect with a location is about to be followed.
        if (status >= 200 && !(IsFollowedRedirect(status) && self->blockHasLocation))
            self->headersDone = true;
        return length;
    }

    static size_t OnBody(char* data, size_t size, size_t count, void* user)
    {
        auto* self = static_cast<Impl*>(user);
        const std::size_t length = size * count;
        self->Touch();
        self->headersDone = true; // also for a reply without any header block
        if (self->Buffered() >= kBodyWindow) {
            self->paused = true;
            return CURL_WRITEFUNC_PAUSE; // libcurl keeps these bytes and offers them again on resume
        }
        if (self->bodyPos > 0 && self->bodyPos >= self->body.size() / 2) {
            self->body.erase(0, self->bodyPos);
            self->bodyPos = 0;
        }
        self->body.append(data, length);
        return length;
    }

    void Prepare()
    {
        GlobalInit();
        sentToProxy.reset();
        if (!multi)
            multi = curl_multi_init();
        if (easy && attached)
            curl_multi_remove_handle(multi, easy);
        attached = false;
        if (easy)
            curl_easy_cleanup(easy);
        easy = curl_easy_init();
        if (!multi || !easy)
            throw CInternetException(ERROR_NOT_ENOUGH_MEMORY);

        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
        curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http");
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
        curl_easy_setopt(easy, CURLOPT_HTTP09_ALLOWED, 1L);
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_USERAGENT, settings.agent.c_str());
        curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorText);
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Impl::OnHeader);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Impl::OnBody);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(settings.connectTimeoutMs));
        if (verb == "GET")
            curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        else if (verb == "HEAD")
            curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
        else
            curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, verb.c_str());

        if (settings.accessType == INTERNET_OPEN_TYPE_PROXY) {
            curl_easy_setopt(easy, CURLOPT_PROXY, ("http://" + settings.proxy).c_str());
            curl_easy_setopt(easy, CURLOPT_NOPROXY, "");
            curl_easy_setopt(easy, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
            if (ChooseCredentials()) {
                curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, sentToProxy->user.c_str());
                curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, sentToProxy->password.c_str());
            }
        } else if (settings.accessType == INTERNET_OPEN_TYPE_DIRECT) {
            curl_easy_setopt(easy, CURLOPT_PROXY, "");
        }

        if (!headerList && (flags & INTERNET_FLAG_RELOAD)) {
            headerList = curl_slist_append(headerList, "Cache-Control: no-cache");
            headerList = curl_slist_append(headerList, "Pragma: no-cache");
        }
        if (headerList)
            curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headerList);

        sent = true;
        headersDone = complete = paused = false;
        result = CURLE_OK;
        body.clear();
        bodyPos = 0;
        blockHeaders.clear();
        rawHeaders.clear();
        blockHasLocation = false;
        errorText[0] = '\0';
        if (curl_multi_add_handle(multi, easy) != CURLM_OK)
            throw CInternetException(ERROR_INTERNET_INTERNAL_ERROR);
        attached = true;
    }

    void Finish(CURLcode code)
    {
        complete = true;
        result = code;
        long status = 0;
        curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
        // A redirect the layer would not or could not follow is an answer, not a failure.
        if ((code == CURLE_TOO_MANY_REDIRECTS || code == CURLE_UNSUPPORTED_PROTOCOL) && status >= 300 &&
            status < 400) {
            result = CURLE_OK;
            headersDone = true;
            body.clear();
            bodyPos = 0;
        }
        if (attached)
            curl_multi_remove_handle(multi, easy);
        attached = false;
    }

    // Runs the transfer until ready() holds or the exchange is over. The receive timeout counts the
    // time without any byte arriving while the caller waits.
    template <class Ready> void Pump(Ready ready)
    {
        Touch();
        while (!ready() && !complete) {
            if (paused && Buffered() < kBodyWindow) {
                paused = false;
                curl_easy_pause(easy, CURLPAUSE_CONT);
                continue;
            }
            int running = 0;
            if (curl_multi_perform(multi, &running) != CURLM_OK)
                throw CInternetException(ERROR_INTERNET_INTERNAL_ERROR);
            int queued = 0;
            while (CURLMsg* msg = curl_multi_info_read(multi, &queued))
                if (msg->msg == CURLMSG_DONE && msg->easy_handle == easy)
                    Finish(msg->data.result);
            if (ready() || complete)
                break;
            int waitMs = 1000;
            if (settings.receiveTimeoutMs != 0) {
                const auto idle =
                    std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - lastActivity);
                const long long left = static_cast<long long>(settings.receiveTimeoutMs) - idle.count();
                if (left <= 0) {
                    Finish(CURLE_OPERATION_TIMEDOUT);
                    break;
                }
                waitMs = static_cast<int>(std::min<long long>(left, waitMs));
            }
            curl_multi_poll(multi, nullptr, 0, waitMs, nullptr);
        }
    }

    void ThrowIfFailed() const
    {
        if (complete && result != CURLE_OK)
            throw CInternetException(inet::ErrorFromCurl(result));
    }

    bool Fill() override
    {
        CheckOpen();
        if (!sent)
            throw CInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
        if (Buffered() == 0)
            Pump([this] { return Buffered() > 0; });
        if (Buffered() > 0)
            return true;
        ThrowIfFailed();
        return false;
    }
};

CHttpFile::CHttpFile(const inet::SessionSettings& settings, std::string verb, std::string url, DWORD flags)
    : m_impl(std::make_unique<Impl>())
{
    m_impl->Start(settings, std::move(verb), std::move(url), flags);
}

CHttpFile::~CHttpFile() = default;

void CHttpFile::SendRequest(const char* headers, DWORD headersLength, const void* optional,
                            DWORD optionalLength)
{
    m_impl->CheckSend(headers, headersLength, optional, optionalLength);
    m_impl->Prepare();
    m_impl->Pump([this] { return m_impl->headersDone; });
    if (!m_impl->headersDone)
        m_impl->ThrowIfFailed();
    DWORD status = 0;
    QueryInfoStatusCode(status);
    m_impl->LearnFromProxy(status);
}

bool CHttpFile::QueryInfoStatusCode(DWORD& status) const
{
    if (m_impl->closed || !m_impl->easy || !m_impl->headersDone)
        return false;
    long code = 0;
    if (curl_easy_getinfo(m_impl->easy, CURLINFO_RESPONSE_CODE, &code) != CURLE_OK || code <= 0)
        return false;
    status = static_cast<DWORD>(code);
    return true;
}

bool CHttpFile::QueryInfo(DWORD infoLevel, std::string& value) const
{
    if (m_impl->closed || !m_impl->headersDone)
        return false;
    if (infoLevel == HTTP_QUERY_RAW_HEADERS_CRLF) {
        value = m_impl->rawHeaders;
        return true;
    }
    if (infoLevel == HTTP_QUERY_STATUS_CODE) {
        DWORD status = 0;
        if (!QueryInfoStatusCode(status))
            return false;
        value = std::to_string(status);
        return true;
    }
    return false;
}

inet::RequestState& CHttpFile::State() const
{
    return *m_impl;
}
