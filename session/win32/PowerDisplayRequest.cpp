#include "session/win32/PowerDisplayRequest.h"

#include <QLoggingCategory>

namespace {
Q_LOGGING_CATEGORY(lcPower, "movira.session.power")
}  // namespace

PowerDisplayRequest::PowerDisplayRequest(const QString& reason) : m_reason(reason.toStdWString()) {
    REASON_CONTEXT context{};
    context.Version = POWER_REQUEST_CONTEXT_VERSION;
    context.Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING;
    context.Reason.SimpleReasonString = m_reason.data();
    m_request = PowerCreateRequest(&context);
    if (m_request == INVALID_HANDLE_VALUE)
        qCDebug(lcPower, "PowerCreateRequest failed: %lu", GetLastError());
}

PowerDisplayRequest::~PowerDisplayRequest() {
    SetHeld(false);
    if (m_request != INVALID_HANDLE_VALUE) CloseHandle(m_request);
}

void PowerDisplayRequest::SetHeld(bool held) {
    if (held == m_held) return;
    m_held = held;
    if (m_request != INVALID_HANDLE_VALUE) {
        const BOOL done = held ? PowerSetRequest(m_request, PowerRequestDisplayRequired)
                               : PowerClearRequest(m_request, PowerRequestDisplayRequired);
        if (done) return;
        qCDebug(lcPower, "power request: %lu", GetLastError());
    }
    SetThreadExecutionState(held ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED : ES_CONTINUOUS);
}
