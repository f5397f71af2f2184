#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestFiles.h"
#include "platform/AtomicFile.h"

// A folder of its own for each test of the atomic file, the file to save in it, and a
// rewrite that ignores what is there.
class AtomicFileTest : public testing::Test {
  protected:
    using AtomicFile = platform::AtomicFile;

    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    static AtomicFile::Rewrite Becomes(const QByteArray& bytes) {
        return [bytes](const QByteArray&) { return bytes; };
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("progress.ini");
};
