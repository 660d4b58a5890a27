#include "controls/vmodemanager.h"

#include <memory>

namespace {
std::unique_ptr<VModeManager> &storage()
{
    static std::unique_ptr<VModeManager> manager;
    return manager;
}
} // namespace

VModeManager *VModeManager::instance()
{
    auto &manager = storage();
    if (!manager)
        manager.reset(new VModeManager);
    return manager.get();
}

void VModeManager::destroy()
{
    storage().reset();
}

void VModeManager::cancel()
{
    if (m_modalObject)
        m_modalObject->setProperty("cancel", true);
}
