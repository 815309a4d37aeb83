// Package download speed over 127.0.0.1 against libcurl writing straight to a file, in one run.
#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "platform/inet/CInternetSession.h"
#include "service/PackageDownload.h"
#include "tests/support/ScratchPrefix.h"
#include "tests/support/ScriptedHttpServer.h"

namespace {

class QuietUi : public service::IServiceUi
{
public:
    void ShowMessage(const std::string& text, const char*, bool) override
    {
        std::fprintf(stderr, "box: %s\n", text.c_str());
    }
    bool AskProxyCredentials(std::string&, std::string&) override { return false; }
    void ShowNotice(const std::string&) override {}
    void HideNotice() override {}
};

template <class F> double BestSeconds(int rounds, F run)
{
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        best =
            std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

size_t WriteToFile(char* data, size_t size, size_t count, void* file)
{
    return std::fwrite(data, size, count, static_cast<FILE*>(file));
}

} // namespace

int main()
{
    constexpr std::size_t kSize = 32 * 1024 * 1024;
    std::string body(kSize, '\0');
    std::mt19937 rng(1);
    for (char& c : body)
        c = static_cast<char>(rng());

    ScratchPrefix prefix;
    const std::filesystem::path folder = prefix.MapDrive('e', "bench");
    ScriptedHttpServer server;
    server.Reply("/pkg.zip", 200, body, {}, "application/zip");
    const std::string url = "http://" + server.HostPort() + "/pkg.zip";
    QuietUi ui;

    const double curlSeconds = BestSeconds(5, [&] {
        FILE* out = std::fopen((folder / "curl.zip").c_str(), "wb");
        CURL* easy = curl_easy_init();
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_PROXY, "");
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &WriteToFile);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, out);
        curl_easy_perform(easy);
        curl_easy_cleanup(easy);
        std::fclose(out);
    });
    const double blockSeconds = BestSeconds(5, [&] {
        CInternetSession session;
        auto file = session.GetHttpConnection(server.HostPort())->OpenRequest("GET", "pkg.zip");
        file->SendRequest();
        FILE* out = std::fopen((folder / "blocks.zip").c_str(), "wb");
        static char buffer[64 * 1024];
        while (UINT n = file->Read(buffer, sizeof buffer))
            std::fwrite(buffer, 1, n, out);
        std::fclose(out);
    });
    bool ok = true;
    const double downloadSeconds = BestSeconds(5, [&] {
        ok = service::DownloadPackage(server.HostPort() + "/p/pkg.zip", "E:\\download.zip", ui).ok && ok;
    });
    if (!ok || std::filesystem::file_size(folder / "download.zip") != kSize) {
        std::fprintf(stderr, "download failed\n");
        return 1;
    }

    const double mb = kSize / 1e6;
    std::printf("32 MB package over 127.0.0.1, best of 5\n");
    std::printf("  libcurl to a file (peer)          %8.1f MB/s\n", mb / curlSeconds);
    std::printf("  request Read, 64 KiB blocks       %8.1f MB/s  ratio %.2f\n", mb / blockSeconds,
                curlSeconds / blockSeconds);
    std::printf("  DownloadPackage, 50-byte pieces   %8.1f MB/s  ratio %.2f\n", mb / downloadSeconds,
                curlSeconds / downloadSeconds);
    return 0;
}
