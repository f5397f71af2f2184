#pragma once

#include <QString>

namespace platform {

// Writes one diagnostic line as a debug message of the logging category "movira". These
// messages are off unless enabled with QT_LOGGING_RULES="movira.debug=true".
void DebugOutput(const QString& line);

}  // namespace platform
