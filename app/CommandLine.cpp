#include "app/CommandLine.h"

#include "platform/FileUri.h"

CommandLineRequest ReadCommandLine(const QList<QByteArray>& arguments) {
    bool optionsEnded = false;
    QList<QByteArray> files;
    for (const QByteArray& argument : arguments) {
        if (!optionsEnded) {
            if (argument == "--") {
                optionsEnded = true;
                continue;
            }
            if (argument == "--help" || argument == "-h")
                return {CommandLineRequest::Action::ShowHelp, {}, {}};
            if (argument == "--version") return {CommandLineRequest::Action::ShowVersion, {}, {}};
        }
        files << argument;
    }
    if (files.isEmpty() || files.front().isEmpty()) return {};
    CommandLineRequest request{
        CommandLineRequest::Action::Play, platform::MediaNameOf(files.front()), {}};
    for (const QByteArray& file : files)
        if (!file.isEmpty()) request.files << platform::MediaNameOf(file);
    return request;
}
