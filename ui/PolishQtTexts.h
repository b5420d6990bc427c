// Qt's own dialogs (file dialogs, print preview, message box buttons) speak
// Polish like the rest of the program.
#pragma once

class QCoreApplication;

// Installs Qt's Polish translation when the system has it; it lives as long
// as the application.
void InstallPolishQtTexts(QCoreApplication& application);
