// The player tests, and the player's roles that they start as another user: run with
// "--as-player <role>" this binary plays one copy of the game on the player's files instead.
#include "app/Startup.h"
#include "player/GameSettings.h"
#include "player/InputHandler.h"
#include "player/UserFile.h"
#include "screens/SaveSlot.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

/// Reads every per-user file as the game does at start and in the slot menu, then starts a new game
/// on slot 1; prints what a player would be shown.
int ReadTheFiles()
{
    cGameSettings settings;
    const bool loaded = settings.Load("Settings.xml");
    printf("settings %d %d\n", int(loaded), int(settings.IsMusicMuted()));
    cInputHandler input;
    input.LoadConfig("Controls.xml");
    printf("jump %d\n", input.GetKey(KEY_JUMP));
    for (int n = 0; n < 3; ++n) {
        cSaveSlot slot(nullptr);
        slot.Init(n);
        printf("slot %s|%s\n", qPrintable(slot.GetCaption()), qPrintable(slot.GetSummary()));
    }
    cSaveSlot slot(nullptr);
    slot.Init(1);
    printf("new game saved %d\n", int(slot.StartNewGame()));
    printf("unsaved %d\n", int(cUserFile::TakeWriteFailures().size()));
    return 0;
}

/// Holds the player's files until standard input ends.
int HoldTheFiles()
{
    if (!TakeDataFolder())
        return 3;
    printf("holding\n");
    fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}

int PlayRole(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("Mirrowen");
    const char* role = argv[2];
    if (std::strcmp(role, "read") == 0)
        return ReadTheFiles();
    if (std::strcmp(role, "hold") == 0)
        return HoldTheFiles();
    if (std::strcmp(role, "quit") == 0) {
        // As the title screen's quit leaves.
        TakeDataFolder();
        std::exit(0);
    }
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--as-player") == 0)
        return PlayRole(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
