// Moving tests in and out of the question formats of learning platforms:
// Moodle XML, GIFT and Aiken. Files in these formats are UTF-8; the model's
// texts stay Windows-1250 with CR LF line breaks.
#pragma once

#include "model/Baza.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TExchangeFormat { MoodleXml, Gift, Aiken };

// The test in that format, UTF-8. The 1-based numbers of the questions the
// format cannot express go to `skipped`.
std::string ExportTest(const TTest& test, TExchangeFormat format, std::vector<int32_t>& skipped);

// Why the format cannot express the question (UTF-8, to follow a list of
// question numbers after a dash), or empty when it can.
std::string ExportSkipReason(const TQuestion& question, TExchangeFormat format);

// Fills a fresh `test` with the usable questions of a file in that format
// (its bytes as read). Each question left out, and why, goes to `notes`.
// A file that is not of that format at all may throw std::runtime_error
// with a Polish message for the user.
void ImportTest(const std::string& bytes, TExchangeFormat format, TTest& test,
                std::vector<std::string>& notes);
