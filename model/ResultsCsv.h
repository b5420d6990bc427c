// The teacher's results file: one line per finished attempt, UTF-8 with a
// byte order mark (so that spreadsheets read the Polish letters right),
// fields separated by ";" (what LibreOffice Calc and a Polish Excel expect),
// lines ending in CR LF. Plain C++: this builds the bytes, writing them is
// the caller's.
#pragma once

#include "model/Scoring.h"

#include <cstdint>
#include <string>

// One finished attempt; every text in UTF-8.
struct TResultRecord
{
    std::string Time;  // ISO 8601
    std::string Name;
    std::string ClassName;
    int64_t Points = 0;
    int64_t Maximum = 0;
    int64_t Percent = 0;
    std::string Verdict;
    std::string Choices;  // as ChoiceLetters gives them
};

// "<test name> – wyniki.csv" (UTF-8).
std::string ResultsFileName(const std::string& testName);
// What a new results file starts with: the byte order mark and the header.
std::string ResultsCsvHeader();
// One attempt as a line, CR LF included.
std::string ResultsCsvLine(const TResultRecord& record);
// The letters chosen, comma-separated, "-" for an unanswered question:
// "B,A,-,C".
std::string ChoiceLetters(const TChoices& choices);
