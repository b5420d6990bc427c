// Conversion between the Windows-1250 bytes the model holds and the QString
// the widgets show. Line breaks are CR LF in the model and "\n" in widgets.
#pragma once

#include <QString>
#include <string>

// Windows-1250 bytes to text; CR LF (and a lone CR) become "\n".
QString FromCp1250(const std::string& bytes);
// Text to Windows-1250 bytes; "\n" becomes CR LF. A character the code page
// cannot hold becomes "?", never a control byte.
std::string ToCp1250(const QString& text);
