// libFuzzer entry for the older version's record readers: any bytes, read as
// each of the files, must stay within the record layouts.

#include "datamgmt/OldDataFiles.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vh;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto teams = ReadOldTeamList(bytes); teams && teams->size() != OldTeamCount)
        __builtin_trap();
    ReadOldSettings(bytes);
    ReadOldPlayerNames(bytes);
    ReadOldPlayerInfo(bytes);
    for (const OldGame& game : ReadOldGames(bytes))
        OldGameDate(game.dateDigits);
    if (qsizetype(ReadOldStats(bytes).size()) != OldRecordCount(bytes.size(), OldRecordLength::PlayerStats))
        __builtin_trap();
    return 0;
}
