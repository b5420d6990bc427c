// The "anuluj" and "ok" picture buttons that close the program's small
// dialogs, named img1 and img2 as designed.
#pragma once

#include <QPoint>

class AnchorLayout;
class PictureButton;
class QDialog;

struct DialogButtons
{
    PictureButton* cancel;  // img1, rejects the dialog
    PictureButton* ok;      // img2; what it does is the dialog's own
};

// Adds both buttons (110 × 32) at their design places.
DialogButtons AddDialogButtons(QDialog* dialog, AnchorLayout* layout, QPoint cancelAt, QPoint okAt);
