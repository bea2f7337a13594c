#include "platform/host/Resources.h"

#include <algorithm>

ErrorStatus HostResources::registerSource(const ResourceSource* source) {
    if (source == nullptr)
        return eInvalidInput;
    if (isRegistered(source))
        return eDuplicateKey;
    m_sources.push_back(source);
    return eOk;
}

ErrorStatus HostResources::unregisterSource(const ResourceSource* source) {
    auto it = std::find(m_sources.begin(), m_sources.end(), source);
    if (it == m_sources.end())
        return eKeyNotFound;
    m_sources.erase(it);
    if (m_current == source)
        m_current = nullptr;
    return eOk;
}

bool HostResources::isRegistered(const ResourceSource* source) const {
    return std::find(m_sources.begin(), m_sources.end(), source) != m_sources.end();
}

const ResourceSource* HostResources::setCurrent(const ResourceSource* source) {
    const ResourceSource* previous = m_current;
    m_current = source;
    return previous;
}

std::string_view HostResources::find(ResourceKind kind, int id) const {
    if (m_current != nullptr) {
        std::string_view found = m_current->findResource(kind, id);
        if (!found.empty())
            return found;
    }
    for (auto it = m_sources.rbegin(); it != m_sources.rend(); ++it) {
        if (*it == m_current)
            continue;
        std::string_view found = (*it)->findResource(kind, id);
        if (!found.empty())
            return found;
    }
    return {};
}
