#include "app/CommandLine.h"

QString CommandLinePath(const QStringList& arguments) {
    return arguments.size() >= 2 ? arguments.at(1) : QString();
}
