// Requests per second of zentrimo-service for ListPackages on 10000 names and for package
// downloads, at 1 and 16 concurrent clients, against the curl tool sending the same load.
#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/inet/RequestTarget.h"
#include "tests/support/ServiceProcess.h"

namespace {

size_t Discard(char*, size_t size, size_t count, void* bytes)
{
    *static_cast<size_t*>(bytes) += size * count;
    return size * count;
}

// clients threads, each with one libcurl handle (connections reused as the server allows).
double LibcurlRate(const std::string& url, int clients, int total)
{
    std::vector<std::thread> threads;
    std::vector<int> failures(static_cast<size_t>(clients), 0);
    const auto start = std::chrono::steady_clock::now();
    for (int c = 0; c < clients; ++c)
        threads.emplace_back([&, c] {
            CURL* curl = curl_easy_init();
            size_t bytes = 0;
            curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
            curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Discard);
            curl_easy_setopt(curl, CURLOPT_WRITEDATA, &bytes);
            curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
            for (int i = 0; i < total / clients; ++i) {
                long status = 0;
                if (curl_easy_perform(curl) != CURLE_OK ||
                    (curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status), status != 200))
                    ++failures[static_cast<size_t>(c)];
            }
            curl_easy_cleanup(curl);
        });
    for (auto& thread : threads)
        thread.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (int f : failures)
        if (f)
            std::fprintf(stderr, "bench: %d failed requests\n", f);
    return total / seconds;
}

// clients curl processes at once, each fetching its share of the URLs in one run.
double CurlToolRate(const std::string& url, int clients, int total, const std::filesystem::path& work)
{
    const std::filesystem::path config = work / "curl.conf";
    {
        std::ofstream file(config);
        for (int i = 0; i < total / clients; ++i)
            file << "url = \"" << url << "\"\noutput = \"/dev/null\"\n";
    }
    std::string command = "(";
    for (int c = 0; c < clients; ++c)
        command += "curl -s --noproxy '*' -K '" + config.string() + "' & ";
    command += "wait)";
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "bench: curl failed\n");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return total / seconds;
}

void Row(const char* what, int clients, double ours, double peer)
{
    std::printf("%-34s %2d client(s): libcurl %8.1f req/s   curl tool %8.1f req/s   ratio %.2f\n", what,
                clients, ours, peer, ours / peer);
}

} // namespace

int main(int argc, char** argv)
{
    // bench_server [CATALOG_DIR]: a catalogue of 10000 sample names is built when none is given.
    const std::filesystem::path work = std::filesystem::temp_directory_path() / "zentrimo-bench-server";
    std::filesystem::create_directories(work);
    std::filesystem::path catalog = argc > 1 ? std::filesystem::path(argv[1]) : work / "catalog";
    if (argc <= 1 && !std::filesystem::exists(catalog / "Zoë.zip")) {
        std::printf("building a 10000-name catalogue in %s ...\n", catalog.c_str());
        if (ServiceProcess::RunToEnd({"sample", "--catalog", catalog.string(), "--count", "10000"}) != 0)
            return 1;
    }
    std::filesystem::remove(work / "requests.db");
    ServiceProcess service(
        {"--listen", "127.0.0.1:0", "--catalog", catalog.string(), "--db", (work / "requests.db").string()},
        work / "service.log");
    const std::string base = "http://127.0.0.1:" + std::to_string(service.Port());
    const std::string list =
        base + inet::EncodeRequestTarget(
                   "/olvwebservice/default.asmx/ProcessReq?clientXMLString=<comver>1.0</comver>"
                   "<conmeth>direct</conmeth><prod>vmr</prod><op>ListPackages</op>"
                   "<type>name</type>");
    const std::string package = base + inet::EncodeRequestTarget("/packages/Zoë.zip");

    curl_global_init(CURL_GLOBAL_DEFAULT);
    LibcurlRate(list, 1, 20); // warm the catalogue listing and the page cache
    for (int clients : {1, 16}) {
        const int listCount = clients == 1 ? 200 : 800;
        Row("ListPackages (10000 names)", clients, LibcurlRate(list, clients, listCount),
            CurlToolRate(list, clients, listCount, work));
        const int downloadCount = clients == 1 ? 2000 : 8000;
        Row("package download", clients, LibcurlRate(package, clients, downloadCount),
            CurlToolRate(package, clients, downloadCount, work));
    }
    curl_global_cleanup();
    return 0;
}
