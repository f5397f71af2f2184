#pragma once
// The package compiled into the program, opened once for every test that reads it.

#include <QByteArray>
#include <QString>

#include "QtPrinters.h"
#include "toolkit/ResourceZip.h"

const ResourceZip& EmbeddedSkin();

// The member's bytes; an empty array (and a test failure) when it is missing.
QByteArray SkinMember(const QString& name);
