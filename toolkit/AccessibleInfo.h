#pragma once
// What assistive technologies (screen readers) are told about a control beyond what it
// shows: a name where it has neither tooltip nor text, a description, whether it is a
// toggle and its state, the unit of a slider's value and how a person reads it. The program
// sets these; the toolkit's accessible interfaces (AccessibleControl) read them.

#include <QString>
#include <functional>
#include <optional>

struct AccessibleInfo {
    // A language id (or plain text) naming the control: the "accessiblename" attribute.
    QString name;
    QString description;
    // Set for a toggle button: whether it is on.
    std::optional<bool> checked;
    // A slider's value in the units it stands for (seconds, say) is its value times this.
    double valueScale = 1.0;
    // A slider's value as a person reads it ("0:08 of 0:20"), given its value in those units;
    // unset, the number. While `description` is empty it is the description too, since Qt's
    // AT-SPI bridge carries no value text.
    std::function<QString(double)> valueText;
    // The program moves the value by itself (playback): only the user's moves are announced.
    bool quietUpdates = false;
};
