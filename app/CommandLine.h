#pragma once
// The file named on the command line: the first argument after the program, if it is not
// empty. Further arguments are ignored.

#include <QString>
#include <QStringList>

QString CommandLinePath(const QStringList& arguments);
