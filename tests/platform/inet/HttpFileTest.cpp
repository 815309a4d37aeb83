// Requests against a scripted server over 127.0.0.1: statuses, headers, streamed bodies, failures.
#include "platform/inet/CHttpFile.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/inet/CInternetException.h"
#include "platform/inet/CInternetSession.h"
#include "tests/support/RawReplyServer.h"
#include "tests/support/ScriptedHttpServer.h"

namespace {

struct Exchange
{
    CInternetSession session{nullptr, 1, INTERNET_OPEN_TYPE_DIRECT};
    std::unique_ptr<CHttpConnection> connection;
    std::unique_ptr<CHttpFile> file;

    Exchange(const std::string& host, const std::string& object, DWORD flags = 0, DWORD timeoutMs = 0)
    {
        if (timeoutMs)
            session.SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, timeoutMs);
        connection = session.GetHttpConnection(host);
        file = connection->OpenRequest("GET", object, nullptr, 1, nullptr, nullptr, flags);
    }
};

DWORD ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CInternetException& e) {
        return e.m_dwError;
    }
    return 0;
}

std::vector<std::string> AllLines(CHttpFile& file)
{
    std::vector<std::string> lines;
    std::string line;
    while (file.ReadString(line))
        lines.push_back(line);
    EXPECT_EQ(line, "");
    return lines;
}

std::string ReadAll(CHttpFile& file, UINT piece)
{
    std::string out;
    std::vector<char> buf(piece);
    while (UINT n = file.Read(buf.data(), piece))
        out.append(buf.data(), n);
    return out;
}

TEST(HttpFile, LinesComeWithoutTheirEndingsAndTheLastLineNeedsNone)
{
    ScriptedHttpServer server;
    server.Reply("/lines", 200, "one\r\ntwo\n\nfour\r\n\r\nlast");
    Exchange x(server.HostPort(), "lines");
    x.file->SendRequest();
    DWORD status = 0;
    ASSERT_TRUE(x.file->QueryInfoStatusCode(status));
    EXPECT_EQ(status, 200u);
    EXPECT_EQ(AllLines(*x.file), (std::vector<std::string>{"one", "two", "", "four", "", "last"}));
}

TEST(HttpFile, EmptyBodyReadsAsEndAtOnce)
{
    ScriptedHttpServer server;
    server.Reply("/empty", 200, "");
    Exchange x(server.HostPort(), "/empty");
    x.file->SendRequest();
    std::string line = "stale";
    EXPECT_FALSE(x.file->ReadString(line));
    EXPECT_EQ(line, "");
    char c;
    EXPECT_EQ(x.file->Read(&c, 1), 0u);
}

TEST(HttpFile, SeveralMegabytesStreamByteForByteInSmallPieces)
{
    std::string body(5 * 1024 * 1024 + 17, '\0');
    std::mt19937 rng(42);
    for (char& c : body)
        c = static_cast<char>(rng());
    ScriptedHttpServer server;
    server.Reply("/big.zip", 200, body, {}, "application/zip");
    Exchange x(server.HostPort(), "big.zip");
    x.file->SendRequest();
    const std::string got = ReadAll(*x.file, 50);
    ASSERT_EQ(got.size(), body.size());
    EXPECT_TRUE(got == body);
}

TEST(HttpFile, ObjectReachesTheServerAsComposed)
{
    ScriptedHttpServer server;
    server.Reply("/svc/ProcessReq", 200, "ok");
    const std::string value = "<a>Tom & Jerry</a> 100% #1 \xc3\xa9 \"q\" {x|y} a+b";
    Exchange x(server.HostPort(), "/svc/ProcessReq?clientXMLString=" + value);
    x.file->SendRequest();
    const auto seen = server.Requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].target.find(' '), std::string::npos) << seen[0].target;
    EXPECT_NE(seen[0].target.find("Tom%20&%20Jerry"), std::string::npos) << seen[0].target;
    // '&' and '+' travel raw, so a query parser on the far side splits and decodes them as usual; the
    // raw target, decoded, is the composed text.
    std::string decoded;
    for (std::size_t i = 0; i < seen[0].target.size(); ++i) {
        if (seen[0].target[i] == '%' && i + 2 < seen[0].target.size()) {
            decoded += static_cast<char>(std::stoi(seen[0].target.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += seen[0].target[i];
        }
    }
    EXPECT_EQ(decoded, "/svc/ProcessReq?clientXMLString=" + value);
}

TEST(HttpFile, AgentIsTheApplicationNameAndReloadAsksForNoCache)
{
    ScriptedHttpServer server;
    server.Reply("/x", 200, "ok");
    Exchange x(server.HostPort(), "x", INTERNET_FLAG_RELOAD);
    x.file->SendRequest();
    const auto seen = server.Requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].headers.find("User-Agent")->second, "platform_inet_tests");
    EXPECT_EQ(seen[0].headers.find("Cache-Control")->second, "no-cache");
}

TEST(HttpFile, ScriptedServerRecordsParametersAndHeadersApart)
{
    ScriptedHttpServer server;
    server.Reply("/svc/ProcessReq", 200, "ok");
    // No-cache headers on the wire and a parameter named like one of them: each keeps its own value.
    Exchange x(server.HostPort(), "/svc/ProcessReq?clientXMLString=<comver>1.0</comver>&Pragma=kept",
               INTERNET_FLAG_RELOAD);
    x.file->SendRequest();
    const auto seen = server.Requests();
    ASSERT_EQ(seen.size(), 1u);
    using Params = std::multimap<std::string, std::string>;
    EXPECT_EQ(seen[0].params, (Params{{"Pragma", "kept"}, {"clientXMLString", "<comver>1.0</comver>"}}));
    ASSERT_EQ(seen[0].headers.count("Pragma"), 1u);
    EXPECT_EQ(seen[0].headers.find("Pragma")->second, "no-cache");
    EXPECT_EQ(seen[0].headers.count("clientXMLString"), 0u);
    EXPECT_EQ(seen[0].path, "/svc/ProcessReq");
}

TEST(HttpFile, ErrorStatusIsReportedWithItsBody)
{
    ScriptedHttpServer server;
    Exchange x(server.HostPort(), "missing");
    x.file->SendRequest();
    DWORD status = 0;
    ASSERT_TRUE(x.file->QueryInfoStatusCode(status));
    EXPECT_EQ(status, 404u);
    EXPECT_EQ(ReadAll(*x.file, 7), "not scripted");
}

TEST(HttpFile, RawHeadersAreTheFinalResponsesWithCrlfLines)
{
    ScriptedHttpServer server;
    server.Redirect("/old", 302, "/new");
    server.Reply("/new", 200, "moved here", {{"X-Mark", "final"}});
    Exchange x(server.HostPort(), "old");
    x.file->SendRequest();
    DWORD status = 0;
    ASSERT_TRUE(x.file->QueryInfoStatusCode(status));
    EXPECT_EQ(status, 200u);
    std::string headers;
    ASSERT_TRUE(x.file->QueryInfo(HTTP_QUERY_RAW_HEADERS_CRLF, headers));
    EXPECT_EQ(headers.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << headers;
    EXPECT_NE(headers.find("X-Mark: final\r\n"), std::string::npos) << headers;
    EXPECT_EQ(headers.find("Location"), std::string::npos) << headers;
    EXPECT_EQ(headers.substr(headers.size() - 4), "\r\n\r\n");
    for (std::size_t i = headers.find('\n'); i != std::string::npos; i = headers.find('\n', i + 1))
        EXPECT_EQ(headers[i - 1], '\r');
    EXPECT_EQ(ReadAll(*x.file, 50), "moved here");
}

TEST(HttpFile, RedirectsThatCannotBeFollowedReachTheCaller)
{
    ScriptedHttpServer server;
    server.Redirect("/nowhere", 301, "");
    server.Redirect("/loop", 302, "/loop");
    for (const char* path : {"nowhere", "loop"}) {
        Exchange x(server.HostPort(), path);
        x.file->SendRequest();
        DWORD status = 0;
        ASSERT_TRUE(x.file->QueryInfoStatusCode(status)) << path;
        EXPECT_EQ(status, std::string(path) == "loop" ? 302u : 301u) << path;
        std::string headers;
        ASSERT_TRUE(x.file->QueryInfo(HTTP_QUERY_RAW_HEADERS_CRLF, headers));
        EXPECT_EQ(headers.find("Location: /loop\r\n") != std::string::npos, std::string(path) == "loop")
            << headers;
    }
}

TEST(HttpFile, ReplyWithoutStatusLineLeavesTheStatusUntouched)
{
    RawReplyServer server("first line\nsecond");
    Exchange x(server.HostPort(), "x");
    x.file->SendRequest();
    DWORD status = 777;
    EXPECT_FALSE(x.file->QueryInfoStatusCode(status));
    EXPECT_EQ(status, 777u);
    EXPECT_EQ(AllLines(*x.file), (std::vector<std::string>{"first line", "second"}));
}

TEST(HttpFile, FailuresCarryInternetErrorCodes)
{
    RawReplyServer silent("");
    EXPECT_EQ(ErrorOf([&] { Exchange(silent.HostPort(), "x").file->SendRequest(); }),
              ERROR_HTTP_INVALID_SERVER_RESPONSE);

    int closedPort = 0;
    {
        RawReplyServer gone("");
        closedPort = gone.Port();
    }
    EXPECT_EQ(ErrorOf([&] { Exchange("127.0.0.1:" + std::to_string(closedPort), "x").file->SendRequest(); }),
              ERROR_INTERNET_CANNOT_CONNECT);

    CInternetSession session;
    EXPECT_EQ(ErrorOf([&] { session.GetHttpConnection("http:"); }), ERROR_INTERNET_INVALID_URL);
    EXPECT_EQ(ErrorOf([&] { session.GetHttpConnection(""); }), ERROR_INTERNET_INVALID_URL);
    EXPECT_EQ(ErrorOf([] { CInternetSession s(nullptr, 1, INTERNET_OPEN_TYPE_PROXY, ""); }),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(HttpFile, StalledBodyEndsWithTimeoutAfterWhatArrived)
{
    ScriptedHttpServer server;
    server.Stall("/slow", "early\n", 1000);
    Exchange x(server.HostPort(), "slow", 0, 300);
    x.file->SendRequest();
    std::string line;
    ASSERT_TRUE(x.file->ReadString(line));
    EXPECT_EQ(line, "early");
    EXPECT_EQ(ErrorOf([&] { x.file->ReadString(line); }), ERROR_INTERNET_TIMEOUT);
    EXPECT_EQ(CInternetException(ERROR_INTERNET_TIMEOUT).GetErrorMessage(), "The operation timed out.");
}

TEST(HttpFile, BodyCutShortIsAnAbortedConnection)
{
    ScriptedHttpServer server;
    server.CutOff("/cut", "0123456789", 100);
    Exchange x(server.HostPort(), "cut");
    x.file->SendRequest();
    char buf[50];
    EXPECT_EQ(x.file->Read(buf, sizeof buf), 10u);
    EXPECT_EQ(ErrorOf([&] { x.file->Read(buf, sizeof buf); }), ERROR_INTERNET_CONNECTION_ABORTED);
}

TEST(HttpFile, SendingAgainRepeatsTheExchangeAndDropsTheOldBody)
{
    ScriptedHttpServer server;
    int count = 0;
    server.Handle("/count", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content("reply " + std::to_string(++count) + "\nmore", "text/plain");
    });
    Exchange x(server.HostPort(), "count");
    x.file->SendRequest();
    std::string line;
    ASSERT_TRUE(x.file->ReadString(line));
    EXPECT_EQ(line, "reply 1");
    x.file->SendRequest();
    EXPECT_EQ(AllLines(*x.file), (std::vector<std::string>{"reply 2", "more"}));
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST(HttpFile, UnusableStatesAndOptionsAreRefused)
{
    ScriptedHttpServer server;
    Exchange x(server.HostPort(), "x");
    DWORD status = 5;
    EXPECT_FALSE(x.file->QueryInfoStatusCode(status));
    EXPECT_EQ(status, 5u);
    char c;
    EXPECT_EQ(ErrorOf([&] { x.file->Read(&c, 1); }), ERROR_INTERNET_INCORRECT_HANDLE_STATE);

    const std::string good = "user name", colon = "us:er", control = "pass\tword";
    EXPECT_TRUE(x.file->SetOption(INTERNET_OPTION_PROXY_USERNAME, good.c_str(), good.size() + 1));
    EXPECT_FALSE(x.file->SetOption(INTERNET_OPTION_PROXY_USERNAME, colon.c_str(), colon.size() + 1));
    EXPECT_TRUE(x.file->SetOption(INTERNET_OPTION_PROXY_PASSWORD, colon.c_str(), colon.size() + 1));
    EXPECT_FALSE(x.file->SetOption(INTERNET_OPTION_PROXY_PASSWORD, control.c_str(), control.size() + 1));
    EXPECT_FALSE(x.file->SetOption(12345, good.c_str(), good.size() + 1));

    x.file->Close();
    EXPECT_EQ(ErrorOf([&] { x.file->SendRequest(); }), ERROR_INTERNET_INCORRECT_HANDLE_STATE);
}

} // namespace
