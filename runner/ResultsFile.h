// Appending an attempt to a results file that several runners may share (a
// classroom saving to one folder): the line goes in with one write at the
// end of the file, under a lock, synced to disk before success is reported.
#pragma once

#include <QString>

#include <string>

// Appends `line` to the file at `path`, which is created, with `header`
// first, when it does not exist or is empty. Earlier lines are never
// rewritten; a failed write takes back what it added. False with a Polish
// reason in `error` when the line could not be stored.
bool AppendResultLine(const QString& path, const std::string& header, const std::string& line,
                      QString& error);
