#pragma once
// What assistive technologies (screen readers) are told about a control beyond what it
// shows: a name where it has neither tooltip nor text, a description, whether it is a
// toggle and its state, and the unit of a slider's value. The program sets these; the
// toolkit's accessible interfaces (AccessibleControl) read them.

#include <QString>
#include <optional>

struct AccessibleInfo {
    // A language id (or plain text) naming the control: the "accessiblename" attribute.
    QString name;
    QString description;
    // Set for a toggle button: whether it is on.
    std::optional<bool> checked;
    // A slider's value in the units it stands for (seconds, say) is its value times this.
    double valueScale = 1.0;
};
