#pragma once
// What the command line asks for. The player reads its arguments itself, as the bytes they
// are: a file name need not be UTF-8, and none is ever taken for an option of Qt's.
//
//   --help, -h   the usage text (app/usage.txt)
//   --version    the product version
//   --           ends the options: every later argument is a file, whatever it looks like
//
// Every other argument names a file, '-' or not; together they are the play queue, in their
// order, and the first plays. An empty first file argument names none; later empty ones are
// left out. Options count wherever they stand before "--";
// the first one met decides.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct CommandLineRequest {
    enum class Action { Play, ShowHelp, ShowVersion };
    Action action = Action::Play;
    // With Play, what to open, empty for nothing: a file name as platform::DecodeFileName
    // gives it (a local file: URI decoded to its name), or any other address as given.
    QString media;
    // With Play, every file named, `media` first, each as `media` is given; empty with it.
    QStringList files;
};

// arguments: the program's arguments after its own name.
CommandLineRequest ReadCommandLine(const QList<QByteArray>& arguments);
