// A running zentrimo-service on 127.0.0.1 over a scratch catalogue and database.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "tests/server/ClientDecoding.h"
#include "tests/server/HttpClient.h"
#include "tests/support/ServiceProcess.h"
#include "tests/support/ScratchDir.h"

inline const std::string kEnvelopeHeader = "<comver>1.0</comver><conmeth>direct</conmeth><prod>vmr</prod>";

inline std::string ListEnvelope()
{
    return kEnvelopeHeader + "<op>ListPackages</op><type>name</type>";
}

inline std::string DownloadEnvelope(const std::string& name)
{
    return kEnvelopeHeader + "<op>DLRequest</op><type>name</type><packagename>" + name + "</packagename>";
}

inline std::string NameRequestEnvelope(const std::string& record, const std::string& requester,
                                       const std::string& email, const std::string& pron = "",
                                       const std::string& comments = "")
{
    return kEnvelopeHeader + "<op>NameRequest</op><record>" + record + "</record><request>" + requester +
           "</request><email>" + email + "</email><pron>" + pron + "</pron><comments>" + comments +
           "</comments>";
}

inline std::string FileText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class ServiceFixture : public testing::Test
{
protected:
    // A catalogue with a few sample packages; the service is started by Start.
    ServiceFixture()
    {
        EXPECT_EQ(ServiceProcess::RunToEnd({"sample", "--catalog", Catalog().string(), "--count", "40"}), 0);
    }

    void Start(std::vector<std::string> extra = {})
    {
        std::vector<std::string> args{"--listen",         "127.0.0.1:0", "--catalog",
                                      Catalog().string(), "--db",        Db().string()};
        args.insert(args.end(), extra.begin(), extra.end());
        m_service = std::make_unique<ServiceProcess>(args, Log());
    }

    std::filesystem::path Catalog() const { return m_dir / "catalog"; }
    std::filesystem::path Db() const { return m_dir / "requests.db"; }
    std::filesystem::path Log() const { return m_dir / "service.log"; }
    int Port() const { return m_service->Port(); }

    clientdecoding::Decoded Call(HttpClient& client, const std::string& envelope)
    {
        const HttpReply reply = client.Service(envelope);
        EXPECT_TRUE(reply.ok) << reply.error;
        EXPECT_EQ(reply.status, 200);
        return clientdecoding::Decode(reply.body);
    }

    ScratchDir m_dir{"service"};
    std::unique_ptr<ServiceProcess> m_service;
};
