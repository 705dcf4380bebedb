// A start that saved its lines in the trip log but was cut before its own
// checkpoint was in place, told from the log's last lines.
#pragma once

#include <string_view>

#include "monitor/CheckpointFile.h"

namespace Monitor {

// The pair the start-up judges. When the log ends with the very lines a
// start writes for the pair on disk, that start never put its checkpoint in
// place, and its run ended abnormally soon after it: the pair is then
// (csRunning, that start's stamp). Otherwise the pair on disk.
TCheckpoint CheckpointToJudge(const TCheckpoint& onDisk, std::string_view logText);

}  // namespace Monitor
