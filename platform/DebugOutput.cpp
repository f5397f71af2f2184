#include "platform/DebugOutput.h"

#include <QLoggingCategory>

namespace platform {
namespace {

// The category is "movira": a logging rule reads a trailing ".debug" as the message type,
// so the rule "movira.debug=true" switches on the debug messages of "movira". QtInfoMsg as
// the lowest enabled level keeps them off until then.
Q_LOGGING_CATEGORY(lcMoviraDebug, "movira", QtInfoMsg)

}  // namespace

void DebugOutput(const QString& line) {
    // One call, one line: a line break inside the text would split it into entries that
    // no longer carry the category prefix.
    QString singleLine = line;
    singleLine.replace(u'\r', u' ').replace(u'\n', u' ');
    qCDebug(lcMoviraDebug).noquote() << singleLine;
}

}  // namespace platform
