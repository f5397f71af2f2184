#pragma once
// The skin package: one zip archive holding the layouts, pop-up menus, language tables and
// images. It is built from the sources in this folder and compiled into the executable, so
// the program never looks for skin files on disk.

#include <cstddef>

struct SkinPackageBlob {
    const unsigned char* data;
    std::size_t size;
};

// The archive embedded in the executable; valid for the whole run of the program.
SkinPackageBlob EmbeddedSkinPackage();
