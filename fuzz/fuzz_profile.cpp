// Profile files (five lines: scrambled password, stored flag, appearance, info record, note) as the
// login strip loads them, on the tiny test artwork. A profile that loads must save and load back the same.
#include "ChattleError.h"
#include "FuzzSupport.h"
#include "PersonaInst.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    EnsureApplication();
    MiniLibrary();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = WriteScratchFile(QStringLiteral("fuzzed.pro"), data, size);
    std::unique_ptr<TPersonaInst> character;
    try {
        character = TPersonaInst::CreateFromFile(&MiniLibrary(), path);
    } catch (const EChattleError &) {
        return 0; // the one file is refused
    }
    Touch(character->Name + character->Password + character->Note + character->GetInfo());

    const QString copyPath = WriteScratchFile(QStringLiteral("copy.pro"), nullptr, 0);
    try {
        character->SaveToFile(copyPath);
    } catch (const EFileError &) {
        return 0; // a line the format cannot hold is refused
    }
    // The copy is read back into one character kept for the run: its fields are what must come back,
    // and a second sprite of the same appearance would only double the work.
    static TPersonaInst *const reloaded = new TPersonaInst(&MiniLibrary());
    reloaded->LoadFromFile(copyPath);
    if (reloaded->Password != character->Password || reloaded->StoredFlag != character->StoredFlag
        || reloaded->GetAppearance() != character->GetAppearance() || reloaded->Info != character->Info
        || reloaded->Note != character->Note)
        __builtin_trap(); // what was saved did not come back
    return 0;
}
