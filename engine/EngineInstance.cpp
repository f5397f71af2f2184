#include "engine/EngineInstance.h"

#include "engine/EngineEvents.h"
#include "engine/EngineOptions.h"

bool EngineInstance::Create(std::int64_t wid, double dpiScale, void (*wakeup)(void*),
                            void* context) {
    // A table that failed to load has no functions to call.
    if (!m_api.loaded) return false;
    return CreateEngineInstance(m_api, m_handle, wid, dpiScale, wakeup, context);
}

void EngineInstance::Shutdown() { ShutdownEngineInstance(m_api, m_handle); }

void EngineInstance::DrainEvents(EngineEventSink& sink) {
    DrainEngineEvents(m_api, m_handle, sink);
}
