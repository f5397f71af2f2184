#include "platform/ProgramArguments.h"

namespace platform {

QList<QByteArray> ProgramArguments(int argc, char* argv[]) {
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i) arguments << QByteArray(argv[i]);
    return arguments;
}

}  // namespace platform
