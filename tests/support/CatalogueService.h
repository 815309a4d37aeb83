// A zentrimo-service over a catalogue the test fills itself, on 127.0.0.1, the same on both builds: on
// Linux each test starts its own; under Wine, which cannot start a Linux program, the LinuxPeers fixture
// of ctest started them over one catalogue folder, which a test empties when it begins and when it ends
// (so the tests that use it run one at a time).
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class CatalogueService
{
public:
    // The catalogue is empty and nothing is served yet. Throws std::runtime_error when the service
    // cannot be had.
    CatalogueService();
    ~CatalogueService();
    CatalogueService(const CatalogueService&) = delete;
    CatalogueService& operator=(const CatalogueService&) = delete;

    // Publishes name's package through the service's own publisher: the first recording becomes
    // <name>.wav, the second <name>^.wav (a single one serves as both). Throws when it cannot.
    void Publish(const std::string& name, const std::vector<std::filesystem::path>& recordings) const;
    // Where the package of name is served from.
    std::filesystem::path Package(const std::string& name) const;
    // The service's store of name requests.
    std::filesystem::path RequestStore() const;

    // Serves the catalogue from now on; the packages' addresses name the service itself, or with
    // deadPackageHost a port where nothing listens, so that every download fails.
    void Start(bool deadPackageHost = false);
    bool Started() const { return m_port != 0; }
    std::string HostPort() const { return "127.0.0.1:" + std::to_string(m_port); }

private:
    struct Own;
    std::unique_ptr<Own> m_own;
    std::filesystem::path m_dir; // the service's folder: the catalogue and the request store
    int m_port = 0;
};
