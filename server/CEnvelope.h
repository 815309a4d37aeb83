// A request envelope as the client composes it: a run of elements without escaping.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "server/ServiceStatus.h"

// The fixed header (comver, conmeth, prod, op) followed by the elements of the operation, each
// at most once and in the operation's order. Values are raw: they may hold "<", ">" and "&",
// even a closing tag of their own element. A value ends at the first closing tag that is followed
// by the end of the envelope or by the opening tag of a later element of the operation.
class CEnvelope
{
public:
    // Never throws; a failed parse reports its status and holds nothing else that is usable.
    static CEnvelope Parse(std::string_view text);

    // Ok, MalformedEnvelope, UnsupportedVersion, UnknownProduct or UnknownOperation.
    ServiceStatus Status() const { return m_status; }
    const std::string& Operation() const { return m_operation; }

    bool Has(const std::string& tag) const { return m_fields.count(tag) != 0; }
    // The value of an element of the operation; empty when it is absent.
    std::string Field(const std::string& tag) const;

private:
    ServiceStatus m_status = ServiceStatus::MalformedEnvelope;
    std::string m_operation;
    std::map<std::string, std::string> m_fields;
};
