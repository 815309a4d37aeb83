// What a test's own catalogue service does the same on both builds: publishing and the service's files.
#include "tests/support/CatalogueService.h"

#include "server/CCatalog.h"
#include "server/CPackagePublisher.h"
#include "tests/support/SamplePeers.h"

void CatalogueService::Publish(const std::string& name,
                               const std::vector<std::filesystem::path>& recordings) const
{
    const CCatalog catalog(m_dir / "catalog");
    CPackagePublisher(catalog).Publish(name, recordings);
}

std::filesystem::path CatalogueService::Package(const std::string& name) const
{
    return m_dir / "catalog" / Utf8Path(name + ".zip");
}

std::filesystem::path CatalogueService::RequestStore() const
{
    return m_dir / "requests.db";
}
