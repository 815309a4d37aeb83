// A test's own catalogue service on Linux: a zentrimo-service the test starts over a scratch folder.
#include "tests/support/CatalogueService.h"

#include "tests/support/ScratchDir.h"
#include "tests/support/ServiceProcess.h"

struct CatalogueService::Own
{
    ScratchDir scratch{"catalogue-service"};
    std::unique_ptr<ServiceProcess> process; // ends before its folder goes
};

CatalogueService::CatalogueService() : m_own(std::make_unique<Own>()), m_dir(m_own->scratch.Path())
{
    std::filesystem::create_directories(m_dir / "catalog");
}

CatalogueService::~CatalogueService() = default;

void CatalogueService::Start(bool deadPackageHost)
{
    std::vector<std::string> args{
        "--listen", "127.0.0.1:0",           "--catalog", (m_dir / "catalog").string(),
        "--db",     RequestStore().string(), "--threads", "2"};
    if (deadPackageHost) {
        args.push_back("--public-host");
        args.push_back("127.0.0.1:1");
    }
    m_own->process = std::make_unique<ServiceProcess>(args, m_dir / "service.log");
    m_port = m_own->process->Port();
}
