#pragma once

#include <QtGlobal>

// What one client may cost the simulator. A real command is under 1 KiB and a client that reads
// its replies never leaves more than a few kilobytes unsent; past either cap the client is
// dropped, so that one peer cannot starve or bloat the simulator for all others.
namespace SimLimits {

constexpr qsizetype LineBytes = 64 * 1024;
constexpr qsizetype UnsentBytes = 4 * 1024 * 1024;
// The commands kept in memory; the --log file has them all.
constexpr int RecordedCommands = 10000;
constexpr qsizetype RecordedBytes = 1024 * 1024;
// How long accepting rests when the process is out of file descriptors.
constexpr int AcceptRestMs = 500;
// Room-combining group and room numbers; larger ones are refused, so that a client cannot make
// the simulator keep state for absurd numbers.
constexpr int ComboGroupMax = 255;
constexpr int ComboRoomMax = 999;

} // namespace SimLimits
