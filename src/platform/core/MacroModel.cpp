#include "platform/core/MacroModel.h"

#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------- modules

Vtx_Module::Vtx_Module(Vtx_String name, Vtx_String groupName)
    : m_name(std::move(name)), m_groupName(std::move(groupName)) {}

Vtx_DialogVariable* Vtx_Module::findVariable(const Vtx_String& name) {
    for (Vtx_DialogVariable& variable : m_variables)
        if (variable.name.equal(name, false))
            return &variable;
    return nullptr;
}

const Vtx_DialogVariable* Vtx_Module::findVariable(const Vtx_String& name) const {
    return const_cast<Vtx_Module*>(this)->findVariable(name);
}

ErrorStatus Vtx_BoltModule::getPatternIds(Vtx_Array<Vtx_ObjectId>& ids) const {
    ids.removeAll();
    for (const Vtx_ObjectId& id : m_patternIds)
        ids.append(id);
    return eOk;
}

// ---------------------------------------------------------------- macro

ErrorStatus Vtx_Macro::getModuleNames(Vtx_StringArray& names) const {
    names.removeAll();
    for (const auto& module : m_modules)
        names.append(module->name());
    return eOk;
}

const Vtx_Module* Vtx_Macro::findModule(const Vtx_String& name) const {
    for (const auto& module : m_modules)
        if (module->name().equal(name, false))
            return module.get();
    return nullptr;
}

Vtx_Module* Vtx_Macro::findModuleWrite(const Vtx_String& name) {
    return const_cast<Vtx_Module*>(findModule(name));
}

Vtx_Module* Vtx_Macro::addModule(std::unique_ptr<Vtx_Module> module) {
    if (!module || module->name().isEmpty() || findModule(module->name()) != nullptr)
        return nullptr;
    m_modules.push_back(std::move(module));
    return m_modules.back().get();
}

ErrorStatus Vtx_Macro::getGeneralVariables(Vtx_StringArray& names) const {
    names.removeAll();
    for (const auto& variable : m_generalVariables)
        names.append(variable.first);
    return eOk;
}

void Vtx_Macro::getGeneralVariableTexts(Vtx_StringArray& names, Vtx_StringArray& values) const {
    names.removeAll();
    values.removeAll();
    for (const auto& [name, value] : m_generalVariables) {
        names.append(name);
        values.append(Vtx_String(value, 0, true));
    }
}

ErrorStatus Vtx_Macro::generalVariableValue(const Vtx_String& name, double& value) const {
    for (const auto& variable : m_generalVariables) {
        if (variable.first.equal(name, false)) {
            value = variable.second;
            return eOk;
        }
    }
    return eKeyNotFound;
}

ErrorStatus Vtx_Macro::setGeneralVariable(const Vtx_String& name, double value) {
    if (name.isEmpty())
        return eInvalidName;
    if (!std::isfinite(value))
        return eInvalidInput;
    for (auto& variable : m_generalVariables) {
        if (variable.first.equal(name, false)) {
            variable.second = value;
            return eOk;
        }
    }
    m_generalVariables.emplace_back(name, value);
    return eOk;
}

// ---------------------------------------------------------------- database macro

Vtx_DbMacro::Vtx_DbMacro(Vtx_Database* database, std::int64_t handle)
    : m_database(database), m_handle(handle) {}

ErrorStatus Vtx_DbMacro::mapBaseProfIds(Vtx_Array<Vtx_ObjectId>& ids) const {
    ids.removeAll();
    for (const Vtx_ObjectId& id : m_macro.baseProfiles())
        ids.append(id);
    return eOk;
}

// ---------------------------------------------------------------- database

std::int64_t Vtx_Database::nextHandle() {
    return ++m_lastHandle;
}

void Vtx_Database::takeHandle(std::int64_t handle) {
    m_lastHandle = std::max(m_lastHandle, handle);
}

bool Vtx_Database::isHandleUsed(std::int64_t handle) const {
    if (m_patterns.count(handle) != 0 || m_profiles.count(handle) != 0)
        return true;
    return std::any_of(m_macros.begin(), m_macros.end(), [handle](const auto& macro) {
        return macro->objectId().handle() == handle;
    });
}

void Vtx_Database::clear() {
    m_macros.clear();
    m_patterns.clear();
    m_profiles.clear();
    m_autoStandards.clear();
    m_lastHandle = 0;
}

Vtx_DbMacro* Vtx_Database::addMacro(const Vtx_String& name) {
    if (name.isEmpty() || findMacro(name) != nullptr)
        return nullptr;
    return addMacroWithHandle(nextHandle(), name);
}

Vtx_DbMacro* Vtx_Database::addMacroWithHandle(std::int64_t handle, const Vtx_String& name) {
    if (handle <= 0 || isHandleUsed(handle) || name.isEmpty() || findMacro(name) != nullptr)
        return nullptr;
    takeHandle(handle);
    m_macros.push_back(std::make_unique<Vtx_DbMacro>(this, handle));
    Vtx_DbMacro* dbMacro = m_macros.back().get();
    dbMacro->macroWrite()->setName(name);
    return dbMacro;
}

Vtx_DbMacro* Vtx_Database::findMacro(const Vtx_String& name) {
    for (const auto& macro : m_macros)
        if (macro->macro()->name().equal(name, false))
            return macro.get();
    return nullptr;
}

Vtx_ObjectId Vtx_Database::addPattern(const Vtx_BoltPattern& pattern) {
    return addPatternWithHandle(nextHandle(), pattern);
}

Vtx_ObjectId Vtx_Database::addProfile(const Vtx_ProfileEntity& profile) {
    return addProfileWithHandle(nextHandle(), profile);
}

Vtx_ObjectId Vtx_Database::addPatternWithHandle(std::int64_t handle,
                                                const Vtx_BoltPattern& pattern) {
    if (handle <= 0 || isHandleUsed(handle))
        return Vtx_ObjectId();
    takeHandle(handle);
    m_patterns.emplace(handle, pattern);
    return Vtx_ObjectId(this, handle);
}

Vtx_ObjectId Vtx_Database::addProfileWithHandle(std::int64_t handle,
                                                const Vtx_ProfileEntity& profile) {
    if (handle <= 0 || isHandleUsed(handle))
        return Vtx_ObjectId();
    takeHandle(handle);
    m_profiles.emplace(handle, profile);
    return Vtx_ObjectId(this, handle);
}

Vtx_BoltPattern* Vtx_Database::pattern(const Vtx_ObjectId& id) {
    if (id.isNull() || id.database() != this)
        return nullptr;
    auto it = m_patterns.find(id.handle());
    return it == m_patterns.end() ? nullptr : &it->second;
}

Vtx_ProfileEntity* Vtx_Database::profile(const Vtx_ObjectId& id) {
    if (id.isNull() || id.database() != this)
        return nullptr;
    auto it = m_profiles.find(id.handle());
    return it == m_profiles.end() ? nullptr : &it->second;
}

// ---------------------------------------------------------------- transaction

void Vtx_Transaction::start() {
    if (m_active)
        return;
    m_active = true;
    if (m_database == nullptr)
        return;
    m_savedPatterns = m_database->m_patterns;
    m_savedProfiles = m_database->m_profiles;
}

void Vtx_Transaction::commit() {
    m_active = false;
    m_savedPatterns.clear();
    m_savedProfiles.clear();
}

namespace {

/// Puts back the saved objects in place, so that pointers to objects that
/// existed before the transaction stay valid; objects made since go.
template <typename T>
void restoreObjects(std::map<std::int64_t, T>& objects, std::map<std::int64_t, T>& saved) {
    for (auto it = objects.begin(); it != objects.end();) {
        auto old = saved.find(it->first);
        if (old == saved.end()) {
            it = objects.erase(it);
        } else {
            it->second = std::move(old->second);
            saved.erase(old);
            ++it;
        }
    }
    objects.merge(saved);
}

} // namespace

void Vtx_Transaction::abort() {
    if (!m_active)
        return;
    // Handles stay taken: objects made inside the transaction vanish, but
    // their handles are never given out again.
    if (m_database != nullptr) {
        restoreObjects(m_database->m_patterns, m_savedPatterns);
        restoreObjects(m_database->m_profiles, m_savedProfiles);
    }
    commit();
}
