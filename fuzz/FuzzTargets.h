#pragma once
// The fuzz targets: one entry per parser of bytes that MoviraPlayer did not write itself or
// that a user can edit. Each entry feeds the bytes to the parser and checks what the parser
// promises about its result; a broken promise goes to FuzzFailure (FuzzCheck.h).
//
// The same entries serve the libFuzzer executables (LibFuzzerMain.cpp, clang builds with
// MOVIRA_FUZZ) and the replay test in tests/fuzz, which runs every committed input through
// them in the normal build.

#include <QByteArrayView>
#include <span>
#include <string_view>

struct FuzzTarget {
    std::string_view name;  // also the folder of its inputs: fuzz/corpus/<name>
    void (*run)(QByteArrayView data);
};

// Settings files: IniFile::Parse, the String and Int lookups, ToBytes and SetValue.
void FuzzIniFile(QByteArrayView data);
// Skin layouts: CDialogBuilder::CreateFromData, then layout, paint and mouse input.
void FuzzLayout(QByteArrayView data);
// Attribute lists (styles, defaults): ParseAttributeList and ApplyAttributeList on a
// button, a slider and a label.
void FuzzAttributeList(QByteArrayView data);
// Language tables: CResourceManager::LoadLanguageFromData.
void FuzzLanguage(QByteArrayView data);
// Skin packages: ResourceZip::Open, Names and Read of every member.
void FuzzSkinZip(QByteArrayView data);
// Image attributes: ImageDescriptor::Parse.
void FuzzImageDescriptor(QByteArrayView data);
// A picked menu item's record and its user-data number: MenuCommand and ParseUserDataId
// (toolkit/MenuCommand.h).
void FuzzMenuPick(QByteArrayView data);

std::span<const FuzzTarget> FuzzTargets();
const FuzzTarget* FindFuzzTarget(std::string_view name);

// Creates the process's offscreen QGuiApplication the first time it is needed (fonts and
// painting need one), unless the process already has an application object.
void EnsureGuiApplication();
