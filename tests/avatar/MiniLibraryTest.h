#pragma once
// A test suite base with one part library on the mini artwork, written once for the whole suite.
#include "MiniArtwork.h"
#include "PersonaLib.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class TMiniLibraryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ArtworkDir = std::make_unique<QTemporaryDir>();
        WriteMiniArtwork(ArtworkDir->path());
        Library = std::make_unique<TPersonaLib>(ArtworkDir->path());
    }
    static void TearDownTestSuite()
    {
        Library.reset();
        ArtworkDir.reset();
    }

    static inline std::unique_ptr<QTemporaryDir> ArtworkDir;
    static inline std::unique_ptr<TPersonaLib> Library;
};
