#pragma once

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"

#include <string_view>
#include <vector>

/// The kinds of resource a module carries.
enum class ResourceKind { Bitmap, Icon };

/// A module's resources as the user-interface framework sees them: bytes by
/// kind and number (a bitmap is the bytes of a BMP file).
class VTX_HOST_API ResourceSource {
public:
    virtual ~ResourceSource() = default;
    /// A name for diagnostics (the module's file name).
    virtual Vtx_String resourceName() const = 0;
    /// The resource's bytes, or an empty view when the source has none. The
    /// bytes live as long as the source.
    virtual std::string_view findResource(ResourceKind kind, int id) const = 0;
};

/// The host's chain of resource sources. Modules register their source when
/// they load and remove it before they unload. Look-ups ask the current source
/// first (the one that code about to show a dialog made current), then every
/// registered source, the latest first.
///
///     HostResources& resources = Host::current().resources();
///     resources.registerSource(&myResources);
///     ResourceSource* previous = resources.setCurrent(&myResources);
///     std::string_view bmp = resources.find(ResourceKind::Bitmap, 8134);
///     resources.setCurrent(previous);
class VTX_HOST_API HostResources {
public:
    /// eInvalidInput for null; eDuplicateKey when already registered.
    ErrorStatus registerSource(const ResourceSource* source);
    /// Removes the source; when it was current, no source is current.
    /// eKeyNotFound when it was not registered.
    ErrorStatus unregisterSource(const ResourceSource* source);
    bool isRegistered(const ResourceSource* source) const;
    int sourceCount() const { return static_cast<int>(m_sources.size()); }

    /// Makes a source current (null: none) and returns the one before.
    const ResourceSource* setCurrent(const ResourceSource* source);
    const ResourceSource* current() const { return m_current; }

    /// The first match in the order described above; empty when none has it.
    std::string_view find(ResourceKind kind, int id) const;

private:
    std::vector<const ResourceSource*> m_sources;
    const ResourceSource* m_current = nullptr;
};
