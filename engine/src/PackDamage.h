// Damage met in a pack file: an entry whose stored words do not lie inside
// the file, an index that does not fit, a read that comes up short. The
// message box the host shows keeps its short text; this names the file and
// the entry, once as a line on standard error and in Error.log, and the
// error object writes the lines again after its own when it rewrites the log.
#pragma once

#include <string>
#include <vector>

namespace engine {

// Notes one line of damage (the file as the host named it, the entry and what is wrong).
void NoteDamage(const std::string& line);

// The lines noted in this run.
const std::vector<std::string>& DamageNotes();

// Error.log's form of a noted line.
std::string DamageLogLine(const std::string& line);

} // namespace engine
