// A test's own catalogue service under Wine: the two services the LinuxPeers fixture started over one
// catalogue folder (tests/support/linux-catalogue-service), its host path seen under Z:.
#include "tests/support/CatalogueService.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace {

// Removes everything in folder, leaving the folder itself to the service that reads it.
void Empty(const std::filesystem::path& folder)
{
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        std::filesystem::remove_all(it->path(), ignored);
    }
}

} // namespace

struct CatalogueService::Own
{
};

CatalogueService::CatalogueService()
{
    const char* dir = std::getenv("ZENTRIMO_LINUX_CATALOGUE_DIR");
    if (!dir)
        throw std::runtime_error("ZENTRIMO_LINUX_CATALOGUE_DIR names no fixture folder");
    m_dir = std::filesystem::path(std::string("Z:") + dir);
    if (!std::filesystem::is_directory(m_dir / "catalog"))
        throw std::runtime_error("the LinuxPeers fixture made no catalogue in " + m_dir.string());
    Empty(m_dir / "catalog");
}

CatalogueService::~CatalogueService()
{
    Empty(m_dir / "catalog");
}

void CatalogueService::Start(bool deadPackageHost)
{
    std::ifstream port(m_dir / (deadPackageHost ? "dead-host-port" : "port"));
    if (!(port >> m_port) || m_port <= 0)
        throw std::runtime_error("the LinuxPeers fixture left no catalogue service's port");
}
