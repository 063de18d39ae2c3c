#pragma once

class QCoreApplication;

// Qt's own dialogs (file and input dialogs, standard buttons) speak Danish
// like the rest of the program, and numbers in widgets use Danish
// separators, whatever the user's locale. False when Qt's Danish
// translations (Debian's qt6-translations-l10n) are not installed.
bool BrugDanskeQtTekster(QCoreApplication& applikation);
