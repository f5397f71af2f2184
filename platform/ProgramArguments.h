#pragma once

#include <QByteArray>
#include <QList>

namespace platform {

// The program's arguments after its own name, each as the bytes of a file name
// (EncodeFileName): on Linux argv as it is; on Windows the UTF-16 command line the system
// keeps (GetCommandLineW), since argv holds only what the ANSI code page can spell.
QList<QByteArray> ProgramArguments(int argc, char* argv[]);

}  // namespace platform
