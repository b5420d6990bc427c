// Reading a test to be taken. The runner only reads: it never writes the
// .test file.
#pragma once

#include "model/Baza.h"

#include <QString>

#include <memory>

// The test at `path`, or nullptr with the reason shown to the student in
// `refusal`: a reading error (the reader's message and "Tego testu nie
// można uruchomić.") or a test without questions.
std::unique_ptr<TTest> LoadTestToTake(const QString& path, QString& refusal);
