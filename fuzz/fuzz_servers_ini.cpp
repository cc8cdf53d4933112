// servers.ini as the login window reads it: the INI reader, the server list and each entry's fields.
// A list that loads must save and load back the same, and the file's other sections must survive.
#include "ChattleError.h"
#include "FuzzSupport.h"
#include "IniFile.h"
#include "ServerList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = WriteScratchFile(QStringLiteral("servers.ini"), data, size);
    const QStringList entries = ServerList::Load(path);
    if (entries.size() > ServerList::MaxEntries)
        __builtin_trap();
    for (const QString &entry : entries) {
        const ServerList::TServerFields fields = ServerList::SplitEntry(entry);
        Touch(ServerList::EntryName(entry) + fields.Description + fields.Address);
        Touch(ServerList::ParsePort(fields.Port).value_or(-1));
        const QString remade = ServerList::MakeEntry(fields.Description, fields.Address, fields.Port, fields.Secure);
        if (ServerList::SplitEntry(remade).Port.toInt() < 1)
            __builtin_trap(); // a made entry always carries a usable port
    }

    const TIniFile before(path);
    const QStringList otherKeys = before.ReadSection(QStringLiteral("other"));
    try {
        ServerList::Save(path, entries);
    } catch (const EFileError &) {
        __builtin_trap(); // the scratch folder is writable
    }
    if (ServerList::Load(path) != entries || TIniFile(path).ReadSection(QStringLiteral("other")) != otherKeys)
        __builtin_trap(); // what was saved did not come back
    return 0;
}
