#include "app/CommandLine.h"

#include <optional>

#include "platform/FileUri.h"

CommandLineRequest ReadCommandLine(const QList<QByteArray>& arguments) {
    bool optionsEnded = false;
    std::optional<QByteArray> file;
    for (const QByteArray& argument : arguments) {
        if (!optionsEnded) {
            if (argument == "--") {
                optionsEnded = true;
                continue;
            }
            if (argument == "--help" || argument == "-h")
                return {CommandLineRequest::Action::ShowHelp, {}};
            if (argument == "--version") return {CommandLineRequest::Action::ShowVersion, {}};
        }
        if (!file) file = argument;
    }
    if (!file) return {};
    return {CommandLineRequest::Action::Play, platform::MediaNameOf(*file)};
}
